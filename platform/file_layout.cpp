#include "platform/file_layout.h"

#include <string_view>
#include <vector>

#include "platform/os.h"

#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

#ifndef HS_SHARE_FROM_BIN
#define HS_SHARE_FROM_BIN "../share/herosheet"
#endif

namespace os {
namespace {

constexpr std::string_view kSettingsName = "config.ini";

std::string FolderPart(const std::string& path) {
  size_t cut = std::string::npos;
  for (size_t i = path.size(); i-- > 0;)
    if (IsPathSeparator(path[i])) {
      cut = i;
      break;
    }
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

#ifndef _WIN32
bool IsLanguageFileName(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view ext = name.substr(name.size() - 4);
  static constexpr char lower[] = ".lng";
  for (size_t i = 0; i < 4; ++i) {
    char c = ext[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != lower[i]) return false;
  }
  return true;
}

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config; empty without a home.
std::string UserConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  std::string home;
  if (const char* h = std::getenv("HOME"); h && h[0] == '/') {
    home = h;
  } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') {
    home = pw->pw_dir;
  }
  return home.empty() ? home : home + "/.config";
}

// The per-user settings folder, or empty when there is no home to put it in.
std::string UserSettingsFolder() {
  std::string base = UserConfigHome();
  if (base.empty()) return base;
  while (base.size() > 1 && base.back() == '/')
    base.pop_back();
  return base + "/herosheet/";
}
#endif

}  // namespace

bool PortableLayout() {
#ifdef _WIN32
  return true;
#else
  // Decided once per program folder: the layout does not change while the program runs.
  static std::string decidedFor;
  static bool portable = true;
  std::string folder = ProgramFolder();
  if (folder == decidedFor) return portable;
  decidedFor = folder;
  portable = FileExists(folder + std::string(kSettingsName));
  std::vector<DirEntry> entries;
  if (!portable && !ListFolder(folder, entries)) portable = true;  // nothing to tell
  for (size_t i = 0; i < entries.size() && !portable; ++i)
    portable = !entries[i].IsFolder && IsLanguageFileName(entries[i].Name);
  return portable;
#endif
}

std::string SettingsFolder() {
#ifndef _WIN32
  if (!PortableLayout()) {
    std::string user = UserSettingsFolder();
    if (!user.empty()) return user;
  }
#endif
  return ProgramFolder();
}

std::string LanguageFolder() {
  if (PortableLayout()) return ProgramFolder();
  // bin/ -> its parent, then the data folder relative to bin's parent.
  std::string bin = ProgramFolder();
  std::string rel = HS_SHARE_FROM_BIN;
  std::string parent = FolderPart(bin.substr(0, bin.size() - 1));
  if (!parent.empty() && rel.compare(0, 3, "../") == 0) {
    bin = parent;
    rel.erase(0, 3);
  }
  return bin + rel + PathSeparator();
}

std::string SettingsDefaultsFor(const std::string& path) {
  if (PortableLayout()) return {};
  std::string user = SettingsFolder();
  if (user == ProgramFolder() || path != user + std::string(kSettingsName)) return {};
  return LanguageFolder() + std::string(kSettingsName);
}

bool MakeSettingsFolderFor(const std::string& path) {
#ifdef _WIN32
  (void)path;
  return true;
#else
  if (PortableLayout()) return true;
  std::string user = UserSettingsFolder();
  if (user.empty() || FolderPart(path) != user) return true;
  // Each missing folder on the way, private to the user as the XDG folders are.
  for (size_t at = user.find('/', 1); at != std::string::npos; at = user.find('/', at + 1)) {
    std::string part = user.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return IsFolder(user);
#endif
}

}  // namespace os
