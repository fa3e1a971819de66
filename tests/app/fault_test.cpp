// A fault that nothing handled: the user is told "Runtime error 3" and what to do, never the
// fault's own internals, and the process ends with a failure status instead of vanishing.
#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "app/fault.h"

namespace {

struct TFaultCase {
  const char* Name;
  std::function<int()> Body;
  int Status;
  std::string Told;  // standard error, where the windowless backend shows its box
};

TEST(Fault, AnUnhandledFaultIsToldAndEndsWithAFailureStatus) {
  const std::string cannot =
      "Error: Runtime error 3: the program met a fault it cannot recover from and has to close.\n";
  const TFaultCase cases[] = {
      {"no fault", [] { return 0; }, 0, ""},
      {"out of memory", []() -> int { throw std::bad_alloc(); }, kFaultExitCode,
       "Error: Runtime error 3: out of memory. Close other programs and start it again.\n"},
      {"a library's exception",
       []() -> int { throw std::out_of_range("vector::_M_range_check at 0x4011f0"); },
       kFaultExitCode, cannot},
      {"no exception class", []() -> int { throw 7; }, kFaultExitCode, cannot},
  };
  for (const TFaultCase& c : cases) {
    testing::internal::CaptureStderr();
    int status = RunGuarded(c.Body);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.Told) << c.Name;
    EXPECT_EQ(status, c.Status) << c.Name;
  }
  // A fault that ends the process through std::terminate (out of a noexcept function, or
  // through a toolkit's frames) is told the same way.
  EXPECT_EXIT(
      {
        InstallFaultHandler();
        std::terminate();
      },
      testing::ExitedWithCode(kFaultExitCode), "^Error: Runtime error 3: the program met a fault");
}

}  // namespace
