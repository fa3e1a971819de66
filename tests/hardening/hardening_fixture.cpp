#include "hardening_fixture.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

extern char** environ;

pid_t Spawn(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

namespace {
int CodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 255;
}
}  // namespace

int WaitFor(pid_t pid) {
  int status = 0;
  for (;;) {
    if (::waitpid(pid, &status, 0) == pid) return CodeOf(status);
    if (errno != EINTR) return 255;
  }
}

int TryWait(pid_t pid) {
  int status = 0;
  pid_t r = ::waitpid(pid, &status, WNOHANG);
  if (r == 0) return -1;
  return r == pid ? CodeOf(status) : 255;
}

namespace {
long long ResidentNow() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<long long>(resident) * ::sysconf(_SC_PAGESIZE);
}

long long PeakResident() {
  long long kb = 0;
  if (FILE* f = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, f))
      if (std::sscanf(line, "VmHWM: %lld kB", &kb) == 1) break;
    std::fclose(f);
  }
  return kb * 1024;
}
}  // namespace

long long PeakMemoryOf(const std::function<bool()>& work) {
  int pipeFd[2];
  if (::pipe(pipeFd) != 0) return -1;
  std::fflush(nullptr);
  pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    ::close(pipeFd[0]);
    // The peak starts again from here (the child inherits the parent's).
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", f);
      std::fclose(f);
    }
    long long before = ResidentNow();
    bool ok = work();
    long long peak = PeakResident() - before;
    if (!ok) peak = -1;
    ssize_t n = ::write(pipeFd[1], &peak, sizeof peak);
    ::_exit(n == sizeof peak ? 0 : 1);
  }
  ::close(pipeFd[1]);
  long long peak = -1;
  if (::read(pipeFd[0], &peak, sizeof peak) != sizeof peak) peak = -1;
  ::close(pipeFd[0]);
  if (WaitFor(pid) != 0) return -1;
  return peak;
}
