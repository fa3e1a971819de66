// Helpers of the hardening tests: the shared temporary folder, child processes, and running a
// piece of work in a forked child to learn its peak memory.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/temp_folder.h"

#if defined(__SANITIZE_ADDRESS__)
#define HS_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HS_UNDER_ASAN 1
#endif
#endif

// Starts program with args; returns its process id.
pid_t Spawn(const std::string& program, const std::vector<std::string>& args);
// Waits for pid; its exit code, or 128 + signal number.
int WaitFor(pid_t pid);
// As WaitFor when pid has ended, else -1 at once.
int TryWait(pid_t pid);

// Runs work in a forked child and answers its peak resident memory in bytes above what it had
// when work started, or -1 when the child failed (crashed or work returned false).
long long PeakMemoryOf(const std::function<bool()>& work);
