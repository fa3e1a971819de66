// The registry store where the system has none: registry.ini in the settings folder, through
// the profile calls (and so their crash-safe rewrite and their writers' lock).
#include <cstdio>

#include "platform/file_layout.h"
#include "platform/os.h"
#include "platform/registry.h"

namespace os {
namespace {

constexpr std::string_view kStoreName = "registry.ini";
constexpr std::string_view kDwordTag = "dword:";
constexpr std::string_view kTextTag = "sz:";

std::string Section(RegistryRoot root, std::string_view path) {
  return std::string(RegistryRootName(root)) + "\\" + std::string(path);
}

// True when the store has a section for the key (an opened key), which may hold no value yet.
bool KeyExists(const std::string& store, const std::string& section) {
  // A key is written with a marker line of its own, so an emptied key still opens.
  return ReadProfileString(section, "@", "", store) == "key";
}

bool ParseDword(const std::string& text, int32_t& out) {
  if (text.size() != kDwordTag.size() + 8 || text.compare(0, kDwordTag.size(), kDwordTag) != 0)
    return false;
  uint32_t v = 0;
  for (size_t i = kDwordTag.size(); i < text.size(); ++i) {
    char c = text[i];
    uint32_t d;
    if (c >= '0' && c <= '9')
      d = static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f')
      d = static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      d = static_cast<uint32_t>(c - 'A' + 10);
    else
      return false;
    v = (v << 4) | d;
  }
  out = static_cast<int32_t>(v);
  return true;
}

std::string DwordText(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08x", static_cast<uint32_t>(v));
  return std::string(kDwordTag) + buf;
}

// Quoted when a blank or quote at either end would be trimmed or taken off by a read.
std::string TextValue(std::string_view v) {
  std::string t = std::string(kTextTag) + std::string(v);
  auto edge = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
  if (!v.empty() && (edge(v.front()) || edge(v.back()))) t = "\"" + t + "\"";
  return t;
}

bool Write(RegistryRoot root, std::string_view path,
           std::vector<std::pair<std::string, std::string>> values) {
  std::string store = RegistryStorePath();
  if (!MakeSettingsFolderFor(store)) return false;
  values.insert(values.begin(), {"@", "key"});
  return WriteProfileStrings(Section(root, path), values, store);
}

}  // namespace

std::string RegistryStorePath() {
  return SettingsFolder() + std::string(kStoreName);
}

bool WriteRegistryInts(RegistryRoot root, std::string_view path,
                       const std::vector<std::pair<std::string, int32_t>>& values) {
  if (!ValidRegistryPath(path)) return false;
  std::vector<std::pair<std::string, std::string>> lines;
  for (const auto& [name, v] : values) {
    if (!ValidRegistryValueName(name)) return false;
    lines.emplace_back(name, DwordText(v));
  }
  return Write(root, path, std::move(lines));
}

bool WriteRegistryString(RegistryRoot root, std::string_view path, std::string_view name,
                         std::string_view value) {
  if (!ValidRegistryPath(path) || !ValidRegistryValueName(name) ||
      value.size() > kRegistryTextMax ||
      value.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
    return false;
  return Write(root, path, {{std::string(name), TextValue(value)}});
}

bool ReadRegistryInts(RegistryRoot root, std::string_view path,
                      const std::vector<std::string>& names,
                      std::vector<std::optional<int32_t>>& out) {
  out.assign(names.size(), std::nullopt);
  if (!ValidRegistryPath(path)) return false;
  std::string store = RegistryStorePath(), section = Section(root, path);
  if (!KeyExists(store, section)) return false;
  for (size_t i = 0; i < names.size(); ++i) {
    if (!ValidRegistryValueName(names[i])) continue;
    int32_t v;
    if (ParseDword(ReadProfileString(section, names[i], "", store), v)) out[i] = v;
  }
  return true;
}

std::optional<std::string> ReadRegistryString(RegistryRoot root, std::string_view path,
                                              std::string_view name) {
  if (!ValidRegistryPath(path) || !ValidRegistryValueName(name)) return std::nullopt;
  std::string store = RegistryStorePath(), section = Section(root, path);
  if (!KeyExists(store, section)) return std::nullopt;
  std::string text = ReadProfileString(section, name, "", store);
  if (text.compare(0, kTextTag.size(), kTextTag) != 0) return std::nullopt;
  return text.substr(kTextTag.size());
}

}  // namespace os
