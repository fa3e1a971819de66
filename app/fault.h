// The last resort for a fault that nothing handled: the user is told in a box titled "Error"
// (on standard error where there is no display) and the process ends with kFaultExitCode,
// instead of vanishing. The text says what the user can act on, no addresses.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

constexpr int kFaultExitCode = 3;

// The box's text for the fault e (nullptr: a fault with no exception).
std::string FaultText(std::exception_ptr e);
// Shows text in a box titled "Error": the backend's message box where it has a display, the OS
// layer's (standard error on POSIX) otherwise.
void ReportFault(std::string_view text);
// Runs body and gives its exit code; an exception escaping it is reported and gives
// kFaultExitCode.
int RunGuarded(const std::function<int()>& body);
// From here on a fault that ends the process elsewhere (std::terminate; on Windows also a
// processor fault) is reported the same way before the process ends with kFaultExitCode.
void InstallFaultHandler();
