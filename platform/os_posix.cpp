// The OS layer on POSIX systems, keeping the behaviour of the Windows calls it stands in for.
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
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

std::string WithSeparator(std::string s) {
  if (s.empty() || !IsPathSeparator(s.back())) s.push_back('/');
  return s;
}

// The folder part of path, ending with '/', or "./" for a bare name.
std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of('/');
  if (cut == std::string::npos) return "./";
  return path.substr(0, cut + 1);
}

// An ini path as the file calls take it: "\\" separates folders here as '/' does.
std::string ProfilePath(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Refused like a read-only attribute: no permission, or no write bit at all (also for root).
bool WriteProtected(const std::string& path, const struct stat& st) {
  return ::access(path.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0;
}

// Replaces the file at target (no link) by data: a temporary file beside it is written,
// flushed and renamed over the original, so the original is never left truncated.
bool ReplaceFile(const std::string& target, const std::string& data) {
  struct stat st;
  bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && (!S_ISREG(st.st_mode) || WriteProtected(target, st))) return false;
  std::string folder = FolderOf(target);
  struct stat dst;
  if (::stat(folder.c_str(), &dst) != 0 || !S_ISDIR(dst.st_mode) || WriteProtected(folder, dst))
    return false;

  static std::atomic<unsigned> counter{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data);
  if (ok && exists) {
    // Best effort: the new file takes the old one's owner and permissions.
    [[maybe_unused]] int owned = ::fchown(fd, st.st_uid, st.st_gid);
    ::fchmod(fd, st.st_mode & 07777);
  }
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

// The file a write of path changes: path itself, or the end of its chain of symbolic links.
// False for a dangling link or a loop.
bool ResolveLink(const std::string& path, std::string& target) {
  target = path;
  struct stat lst;
  if (::lstat(path.c_str(), &lst) != 0 || !S_ISLNK(lst.st_mode)) return true;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return false;
  target = real;
  std::free(real);
  return true;
}

// An exclusive advisory lock on a folder, held while the object lives. It is waited for at most
// waitMs; after that, or when the folder cannot be opened, the object holds no lock. The system
// drops the lock when the process ends, however it ends.
class FolderLock {
 public:
  FolderLock(const std::string& folder, int waitMs)
      : Fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (Fd < 0) return;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    int pauseMs = 1;
    for (;;) {
      if (::flock(Fd, LOCK_EX | LOCK_NB) == 0) {
        Locked = true;
        return;
      }
      if (errno != EWOULDBLOCK && errno != EINTR) return;
      if (std::chrono::steady_clock::now() >= until) return;
      ::usleep(static_cast<useconds_t>(pauseMs) * 1000);
      pauseMs = std::min(pauseMs * 2, 20);
    }
  }
  ~FolderLock() {
    if (Fd >= 0) ::close(Fd);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool Held() const { return Locked; }

 private:
  int Fd;
  bool Locked = false;
};

// Removes the temporary files ReplaceFile left beside path when its writer died before the
// rename. Only called with the folder lock held: no live writer has one then.
void RemoveStaleTemps(const std::string& path) {
  std::string folder = FolderOf(path);
  std::string prefix = path.substr(path.find_last_of('/') + 1) + ".~";
  DIR* d = ::opendir(folder.c_str());
  if (!d) return;
  while (struct dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string rest = name.substr(prefix.size());  // "<pid>-<counter>"
    size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == rest.size() ||
        rest.find_first_not_of("0123456789-") != std::string::npos)
      continue;
    ::unlink((folder + name).c_str());
  }
  ::closedir(d);
}

}  // namespace

char PathSeparator() {
  return '/';
}
bool IsPathSeparator(char c) {
  return c == '/' || c == '\\';
}

std::string ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  static const std::string real = [] {
    std::string buf(PATH_MAX, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n > 0 && static_cast<size_t>(n) < buf.size()) {
      buf.resize(static_cast<size_t>(n));
      return FolderOf(buf);
    }
    // Without /proc: the current folder at first use.
    char* cwd = ::getcwd(nullptr, 0);
    std::string folder = cwd ? WithSeparator(cwd) : std::string("./");
    std::free(cwd);
    return folder;
  }();
  return real;
}

void SetProgramFolder(std::string_view folder) {
  ProgramFolderOverride() = folder.empty() ? std::string() : WithSeparator(std::string(folder));
}

std::string UserConfigFolder() {
  if (!UserConfigOverride().empty()) return UserConfigOverride();
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
    base = xdg;
  } else if (const char* h = std::getenv("HOME"); h && h[0] == '/') {
    base = std::string(h) + "/.config";
  } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') {
    base = std::string(pw->pw_dir) + "/.config";
  }
  while (base.size() > 1 && base.back() == '/')
    base.pop_back();
  return base.empty() ? base : WithSeparator(base);
}

void SetUserConfigFolder(std::string_view folder) {
  UserConfigOverride() = folder.empty() ? std::string() : WithSeparator(std::string(folder));
}

std::string TempFolder() {
  const char* t = std::getenv("TMPDIR");
  if (t && *t) return WithSeparator(t);
  return "/tmp/";
}

std::string WindowsFolder() {
  return "/etc/";
}
std::string SystemFolder() {
  return "/usr/lib/";
}

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view deflt, const std::string& path) {
  std::string text;
  std::optional<std::string> v;
  if (ReadWholeFile(ProfilePath(path), text, kSettingsFileMax))
    v = profile::Lookup(text, section, key);
  std::string out;
  if (v) {
    out = std::move(*v);
  } else {
    out.assign(profile::DefaultText(deflt));
  }
  if (out.size() > kProfileStringMax) out.resize(kProfileStringMax);
  return out;
}

int32_t ReadProfileInt(std::string_view section, std::string_view key, int32_t deflt,
                       const std::string& path) {
  std::string text;
  if (!ReadWholeFile(ProfilePath(path), text, kSettingsFileMax)) return deflt;
  std::optional<std::string> v = profile::Lookup(text, section, key);
  if (!v || v->empty()) return deflt;
  return profile::ToInt(*v);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
  return WriteProfileStrings(section, {{std::string(key), std::string(value)}}, path);
}

bool WriteProfileStrings(std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& values,
                         const std::string& given) {
  std::string path = ProfilePath(given);
  if (path.empty()) return false;
  bool allWritable = true;
  std::vector<const std::pair<std::string, std::string>*> writable;
  for (const auto& v : values) {
    if (profile::CanWrite(section, v.first, v.second))
      writable.push_back(&v);
    else
      allWritable = false;
  }
  if (writable.empty()) return allWritable;
  // The lock, the clean-up, the temporary file and the rename all work in the folder of the
  // file that really changes, so that writers reaching it by a link or directly take turns.
  std::string target;
  if (!ResolveLink(path, target)) return false;
  // Every write rewrites the whole file: writers in one folder take turns, so that two
  // processes setting different keys at once do not undo each other's change. A writer that
  // keeps the lock too long (stopped, say) only costs the wait.
  FolderLock lock(FolderOf(target), kProfileLockWaitMs);
  if (lock.Held()) RemoveStaleTemps(target);
  std::string text;
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode) || !ReadWholeFile(target, text, kSettingsFileMax)) return false;
  } else if (errno != ENOENT) {
    return false;
  }
  for (const auto* v : writable)
    text = profile::Update(text, section, v->first, v->second);
  return ReplaceFile(target, text) && allWritable;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileWithin(const std::string& path, uint64_t limit) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) &&
         static_cast<uint64_t>(st.st_size) <= limit;
}

bool ReadWholeFile(const std::string& path, std::string& out, uint64_t limit) {
  out.clear();
  if (path.empty()) return false;
  // Non-blocking, so that a named pipe cannot hang the open; only regular files are read (a
  // pipe or a device could block or never end).
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > limit) {
    ::close(fd);
    return false;
  }
  bool ok = true;
  try {
    if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
      ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0) {
        if (errno == EINTR) continue;
        ok = false;
        break;
      }
      if (n == 0) break;
      if (out.size() + static_cast<uint64_t>(n) > limit) {  // it grew while being read
        ok = false;
        break;
      }
      out.append(buf, static_cast<size_t>(n));
    }
  } catch (...) {  // out of memory
    ok = false;
  }
  ::close(fd);
  if (!ok) out = std::string();
  return ok;
}

bool ListFolder(const std::string& folder, std::vector<DirEntry>& out) {
  out.clear();
  std::string f = folder.empty() ? std::string("./") : WithSeparator(folder);
  DIR* d = ::opendir(f.c_str());
  if (!d) return false;
  while (struct dirent* e = ::readdir(d)) {
    DirEntry entry;
    entry.Name = e->d_name;
    unsigned char type = e->d_type;
    if (type == DT_LNK) entry.IsLink = true;
    if (type == DT_UNKNOWN || type == DT_LNK) {
      struct stat st;
      if (::stat((f + entry.Name).c_str(), &st) == 0) entry.IsFolder = S_ISDIR(st.st_mode);
      if (type == DT_UNKNOWN) {
        struct stat lst;
        if (::lstat((f + entry.Name).c_str(), &lst) == 0) entry.IsLink = S_ISLNK(lst.st_mode);
      }
    } else {
      entry.IsFolder = type == DT_DIR;
    }
    out.push_back(std::move(entry));
  }
  ::closedir(d);
  return true;
}

void ShowMessageBox(std::string_view text, std::string_view caption) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
}

}  // namespace os
