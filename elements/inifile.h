// TIniFile: one access to a key of one section of an ini file, and the ini path rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TIniFile {
 public:
  enum : uint8_t { ReadMode = 0, WriteMode = 1 };
  uint8_t Mode = ReadMode;
  std::string FileName;  // full path
  std::string Section;

  explicit TIniFile(std::string path) : FileName(std::move(path)) {}
  // Read mode: the key's integer value or v (the per-user config.ini falls back to the shipped
  // one key by key). Write mode: writes v as decimal text, first making the per-user settings
  // folder when it is missing; answers v.
  int32_t ValueInteger(std::string_view key, int32_t v);
  // Read mode: the key's text (at most 2047 bytes) or v. Write mode: writes v; answers v.
  std::string ValueString(std::string_view key, std::string_view v);
  // Write mode: writes each key with its value as decimal text, in one rewrite of the file with
  // the bytes ValueInteger for each pair in order would give. Nothing in read mode.
  void ValueIntegers(const std::vector<std::pair<std::string, int32_t>>& values);
};

// The ini path rule: expands %windir%, %tmpdir%, %sysdir%, then puts the settings folder (the
// program's folder in the portable layout, platform/file_layout.h) in front of a bare file name
// (no ':' and no folder separator).
std::string IniPath(std::string_view name);
