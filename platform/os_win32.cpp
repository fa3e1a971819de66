// The OS layer on Windows: the native kernel32/user32 calls (ANSI forms).
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// windows.h maps this name onto its own ANSI call.
#undef WriteProfileString
#include <shlobj.h>

#include <string>

#include "platform/os.h"
#include "platform/profile_text.h"

namespace os {
namespace {

std::string& ProgramFolderOverride() {
  static std::string folder;
  return folder;
}

std::string& UserConfigOverride() {
  static std::string folder;
  return folder;
}

// Also accepts '/', which the file calls take as well, so that a folder given either way
// gets no second separator.
bool EndsWithSeparator(const std::string& s) {
  return !s.empty() && (s.back() == '\\' || s.back() == '/');
}

std::string WithSeparator(std::string s) {
  if (!EndsWithSeparator(s)) s.push_back('\\');
  return s;
}

// A C string for the API: the text up to its first zero byte.
std::string Z(std::string_view s) {
  return std::string(profile::CutAtZero(s));
}

// The profile calls look for a bare file name in the Windows folder; here, as everywhere else
// in this layer, a bare name means the current folder.
std::string ProfilePath(const std::string& path) {
  std::string p = Z(path);
  if (p.find_first_of(":\\/") == std::string::npos) p.insert(0, ".\\");
  return p;
}

// True when p is a file bigger than any real settings file.
bool TooBig(const std::string& p) {
  WIN32_FILE_ATTRIBUTE_DATA a;
  if (!GetFileAttributesExA(p.c_str(), GetFileExInfoStandard, &a)) return false;
  uint64_t size = (static_cast<uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
  return (a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && size > kSettingsFileMax;
}

// The folder a Get...DirectoryA/PathA call fills, with a trailing separator; growing the
// buffer when the first one was too small.
template <typename Call>
std::string SystemPath(Call call) {
  std::string buf(MAX_PATH + 1, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD n = call(static_cast<DWORD>(buf.size()), buf.data());
    if (n == 0) return std::string();
    if (n < buf.size()) {
      buf.resize(n);
      return WithSeparator(buf);
    }
    buf.assign(n + 1, '\0');
  }
  return std::string();
}

// A wide path in the ANSI code page the rest of this layer uses; empty when a character has no
// ANSI form (the short form of the path is tried then).
std::string AnsiPath(const wchar_t* wide) {
  auto convert = [](const wchar_t* w) {
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, -1, nullptr, 0, nullptr, &lossy);
    if (n <= 1 || lossy) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, -1, out.data(), n, nullptr, &lossy);
    out.resize(static_cast<size_t>(n - 1));
    return lossy ? std::string() : out;
  };
  std::string a = convert(wide);
  if (!a.empty()) return a;
  DWORD n = GetShortPathNameW(wide, nullptr, 0);
  if (n == 0) return a;
  std::wstring shortPath(n, L'\0');
  n = GetShortPathNameW(wide, shortPath.data(), n);
  if (n == 0 || n >= shortPath.size()) return a;
  shortPath.resize(n);
  return convert(shortPath.c_str());
}

}  // namespace

char PathSeparator() {
  return '\\';
}
bool IsPathSeparator(char c) {
  return c == '\\';
}

std::string ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  static const std::string real = [] {
    // A path longer than MAX_PATH is read in full rather than cut, so that files beside the
    // program are never looked for in a wrong folder.
    std::string buf(MAX_PATH, '\0');
    for (;;) {
      DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
      if (n == 0) return std::string(".\\");
      if (n < buf.size()) {
        buf.resize(n);
        break;
      }
      if (buf.size() >= 32768) return std::string(".\\");
      buf.assign(buf.size() * 2, '\0');
    }
    size_t cut = buf.find_last_of('\\');
    return cut == std::string::npos ? std::string(".\\") : buf.substr(0, cut + 1);
  }();
  return real;
}

void SetProgramFolder(std::string_view folder) {
  ProgramFolderOverride() = folder.empty() ? std::string() : WithSeparator(std::string(folder));
}

std::string UserConfigFolder() {
  if (!UserConfigOverride().empty()) return UserConfigOverride();
  // FOLDERID_RoamingAppData, spelled out: the uuid library that defines it also defines GUIDs
  // the accessibility library has, and a program linking both would have them twice.
  static constexpr KNOWNFOLDERID kRoamingAppData = {
      0x3EB685DB, 0x65F9, 0x4CF6, {0xA0, 0x3A, 0xE3, 0xEF, 0x65, 0x72, 0x9F, 0x3D}};
  PWSTR wide = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(kRoamingAppData, 0, nullptr, &wide))) folder = AnsiPath(wide);
  CoTaskMemFree(wide);
  return folder.empty() ? folder : WithSeparator(folder);
}

void SetUserConfigFolder(std::string_view folder) {
  UserConfigOverride() = folder.empty() ? std::string() : WithSeparator(std::string(folder));
}

std::string TempFolder() {
  std::string t = SystemPath([](DWORD size, char* buf) { return GetTempPathA(size, buf); });
  return t.empty() ? std::string(".\\") : t;
}

std::string WindowsFolder() {
  return SystemPath(
      [](DWORD size, char* buf) { return static_cast<DWORD>(GetWindowsDirectoryA(buf, size)); });
}

std::string SystemFolder() {
  return SystemPath(
      [](DWORD size, char* buf) { return static_cast<DWORD>(GetSystemDirectoryA(buf, size)); });
}

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view deflt, const std::string& path) {
  std::string d = Z(deflt);
  if (path.empty() || TooBig(ProfilePath(path))) {
    // The call would read win.ini; an empty path is no file at all here, and a file no real
    // settings file reaches reads as a missing one.
    std::string t(profile::DefaultText(d));
    if (t.size() > kProfileStringMax) t.resize(kProfileStringMax);
    return t;
  }
  char buf[kProfileStringMax + 1];
  DWORD n = GetPrivateProfileStringA(Z(section).c_str(), Z(key).c_str(), d.c_str(), buf, sizeof buf,
                                     ProfilePath(path).c_str());
  if (n > kProfileStringMax) n = kProfileStringMax;
  return std::string(buf, n);
}

int32_t ReadProfileInt(std::string_view section, std::string_view key, int32_t deflt,
                       const std::string& path) {
  if (path.empty() || TooBig(ProfilePath(path))) return deflt;
  UINT v =
      GetPrivateProfileIntA(Z(section).c_str(), Z(key).c_str(), deflt, ProfilePath(path).c_str());
  return static_cast<int32_t>(v);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
  // The same refusals as on every platform: a line break or a bracket in the wrong place would
  // write a line that reads back as another key or section.
  if (path.empty() || !profile::CanWrite(section, key, value)) return false;
  std::string p = ProfilePath(path);
  // A read-only file is refused here too: an administrator's process could write it anyway.
  DWORD a = GetFileAttributesA(p.c_str());
  if (a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;
  if (TooBig(p)) return false;
  return WritePrivateProfileStringA(Z(section).c_str(), Z(key).c_str(), Z(value).c_str(),
                                    p.c_str()) != FALSE;
}

bool WriteProfileStrings(std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& values,
                         const std::string& path) {
  // The system call writes one key at a time; it keeps each write whole on its own.
  bool ok = true;
  for (const auto& v : values)
    if (!WriteProfileString(section, v.first, v.second, path)) ok = false;
  return ok;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  DWORD a = GetFileAttributesA(Z(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(const std::string& path) {
  if (path.empty()) return false;
  DWORD a = GetFileAttributesA(Z(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileWithin(const std::string& path, uint64_t limit) {
  WIN32_FILE_ATTRIBUTE_DATA a;
  if (path.empty() || !GetFileAttributesExA(Z(path).c_str(), GetFileExInfoStandard, &a))
    return false;
  uint64_t size = (static_cast<uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
  return (a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && size <= limit;
}

bool ReadWholeFile(const std::string& path, std::string& out, uint64_t limit) {
  out.clear();
  if (path.empty() || IsFolder(path)) return false;
  HANDLE h = CreateFileA(Z(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  try {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size) || static_cast<uint64_t>(size.QuadPart) > limit) {
      CloseHandle(h);
      return false;
    }
    if (size.QuadPart > 0) out.reserve(static_cast<size_t>(size.QuadPart));
    char buf[65536];
    for (;;) {
      DWORD n = 0;
      if (!ReadFile(h, buf, sizeof buf, &n, nullptr)) {
        ok = false;
        break;
      }
      if (n == 0) break;
      if (out.size() + static_cast<uint64_t>(n) > limit) {  // it grew while being read
        ok = false;
        break;
      }
      out.append(buf, n);
    }
  } catch (...) {  // out of memory
    ok = false;
  }
  CloseHandle(h);
  if (!ok) out.clear();
  return ok;
}

bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) {
  out.clear();
  std::string f = folder.empty() ? std::string(".\\") : WithSeparator(Z(folder));
  if (!IsFolder(f)) return false;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((f + "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) {
    // A folder without any entry (a drive's root can be one) is an empty listing.
    return GetLastError() == ERROR_FILE_NOT_FOUND;
  }
  do {
    DirEntry e;
    e.Name = fd.cFileName;
    e.IsFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.IsLink = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    out.push_back(std::move(e));
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return true;
}

void ShowMessageBox(std::string_view text, std::string_view caption) {
  MessageBoxA(nullptr, Z(text).c_str(), Z(caption).c_str(), MB_OK);
}

}  // namespace os
