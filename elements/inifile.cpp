#include "elements/inifile.h"

#include "platform/file_layout.h"
#include "platform/os.h"
#include "runtime/data.h"

int32_t TIniFile::ValueInteger(std::string_view key, int32_t v) {
  if (Mode == WriteMode) {
    os::MakeSettingsFolderFor(FileName);
    os::WriteProfileString(Section, key, FormatInt(v), FileName);
    return v;
  }
  // A key missing from the per-user settings comes from the shipped ones.
  std::string defaults = os::SettingsDefaultsFor(FileName);
  if (!defaults.empty()) v = os::ReadProfileInt(Section, key, v, defaults);
  return os::ReadProfileInt(Section, key, v, FileName);
}

std::string TIniFile::ValueString(std::string_view key, std::string_view v) {
  if (Mode == WriteMode) {
    os::MakeSettingsFolderFor(FileName);
    os::WriteProfileString(Section, key, v, FileName);
    return std::string(v);
  }
  std::string defaults = os::SettingsDefaultsFor(FileName);
  if (defaults.empty()) return os::ReadProfileString(Section, key, v, FileName);
  std::string fallback = os::ReadProfileString(Section, key, v, defaults);
  return os::ReadProfileString(Section, key, fallback, FileName);
}

void TIniFile::ValueIntegers(const std::vector<std::pair<std::string, int32_t>>& values) {
  if (Mode != WriteMode) return;
  std::vector<std::pair<std::string, std::string>> texts;
  for (const auto& v : values)
    texts.emplace_back(v.first, FormatInt(v.second));
  os::WriteProfileStrings(Section, texts, FileName);
}

namespace {
void ReplaceAll(std::string& s, std::string_view what, const std::string& with) {
  std::string out;
  size_t p = 0;
  for (;;) {
    size_t at = s.find(what, p);
    if (at == std::string::npos) break;
    out.append(s, p, at - p);
    out.append(with);
    p = at + what.size();
  }
  if (p == 0) return;
  out.append(s, p, std::string::npos);
  s.swap(out);
}
}  // namespace

std::string IniPath(std::string_view name) {
  std::string path(name);
  ReplaceAll(path, "%windir%", os::WindowsFolder());
  ReplaceAll(path, "%tmpdir%", os::TempFolder());
  ReplaceAll(path, "%sysdir%", os::SystemFolder());
  bool bare = path.find(':') == std::string::npos;
  for (char c : path)
    if (os::IsPathSeparator(c)) bare = false;
  return bare ? os::SettingsFolder() + path : path;
}
