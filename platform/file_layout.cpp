#include "platform/file_layout.h"

#include <string_view>
#include <vector>

#include "platform/os.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#ifndef HS_SHARE_FROM_BIN
#define HS_SHARE_FROM_BIN "../share/herosheet"
#endif

namespace os {
namespace {

constexpr std::string_view kSettingsName = "config.ini";
constexpr std::string_view kUserFolderName = "herosheet";

std::string FolderPart(const std::string& path) {
  size_t cut = std::string::npos;
  for (size_t i = path.size(); i-- > 0;)
    if (IsPathSeparator(path[i])) {
      cut = i;
      break;
    }
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

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

// The per-user settings folder, or empty when there is no per-user folder to put it in.
std::string UserSettingsFolder() {
  std::string base = UserConfigFolder();
  if (base.empty()) return base;
  return base + std::string(kUserFolderName) + PathSeparator();
}

// Makes one folder; a failure shows in the check of the whole path that follows.
void MakeOneFolder(const std::string& folder) {
#ifdef _WIN32
  CreateDirectoryA(folder.c_str(), nullptr);
#else
  // Private to the user, as the XDG folders are.
  ::mkdir(folder.c_str(), 0700);
#endif
}

}  // namespace

bool PortableLayout() {
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
}

std::string SettingsFolder() {
  if (!PortableLayout()) {
    std::string user = UserSettingsFolder();
    if (!user.empty()) return user;
  }
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
  for (char& c : rel)
    if (c == '/') c = PathSeparator();
  return bin + rel + PathSeparator();
}

std::string SettingsDefaultsFor(const std::string& path) {
  if (PortableLayout()) return {};
  std::string user = SettingsFolder();
  if (user == ProgramFolder() || path != user + std::string(kSettingsName)) return {};
  return LanguageFolder() + std::string(kSettingsName);
}

bool MakeSettingsFolderFor(const std::string& path) {
  if (PortableLayout()) return true;
  std::string user = UserSettingsFolder();
  if (user.empty() || FolderPart(path) != user) return true;
  // Each missing folder on the way (a drive or a server share cannot be made, and is there).
  for (size_t at = user.find(PathSeparator(), 1); at != std::string::npos;
       at = user.find(PathSeparator(), at + 1)) {
    std::string part = user.substr(0, at);
    if (part.back() != ':' && !IsFolder(part)) MakeOneFolder(part);
  }
  return IsFolder(user);
}

}  // namespace os
