// Another process holding the settings writers' lock of a folder (POSIX), as a writer stopped
// in the middle of a write would, until the object goes or, when lifetimeSeconds is not 0, that
// many seconds have passed (so that a test of a write that waits for ever fails, not hangs).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

class TLockHolder {
 public:
  explicit TLockHolder(const std::string& folder, unsigned lifetimeSeconds = 0) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    Pid = ::fork();
    if (Pid == 0) {
      if (lifetimeSeconds != 0) ::alarm(lifetimeSeconds);
      int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
      char ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? '1' : '0';
      [[maybe_unused]] ssize_t w = ::write(ready[1], &ok, 1);
      for (;;)
        ::pause();
    }
    ::close(ready[1]);
    char ok = '0';
    Held = Pid > 0 && ::read(ready[0], &ok, 1) == 1 && ok == '1';
    ::close(ready[0]);
  }
  ~TLockHolder() {
    if (Pid <= 0) return;
    ::kill(Pid, SIGKILL);
    ::waitpid(Pid, nullptr, 0);
  }
  TLockHolder(const TLockHolder&) = delete;
  TLockHolder& operator=(const TLockHolder&) = delete;

  bool Held = false;  // the lock was taken

 private:
  pid_t Pid = -1;
};
