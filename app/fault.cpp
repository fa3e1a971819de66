#include "app/fault.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "platform/os.h"
#include "ui/backend.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

bool g_reporting = false;  // a fault while telling of one ends the process at once

[[noreturn]] void EndWithFault(std::exception_ptr e) {
  if (!g_reporting) ReportFault(FaultText(e));
  std::_Exit(kFaultExitCode);
}

#ifdef _WIN32
LONG WINAPI UnhandledFault(EXCEPTION_POINTERS*) {
  EndWithFault(nullptr);
}
#endif

}  // namespace

std::string FaultText(std::exception_ptr e) {
  std::string text = "Runtime error " + std::to_string(kFaultExitCode) + ": ";
  try {
    if (e) std::rethrow_exception(e);
  } catch (const std::bad_alloc&) {
    return text + "out of memory. Close other programs and start it again.";
  } catch (...) {
  }
  return text + "the program met a fault it cannot recover from and has to close.";
}

void ReportFault(std::string_view text) {
  g_reporting = true;
  std::string_view name = Backend().Name();
  if (name == "none" || name == "headless") {
    os::ShowMessageBox(text, "Error");
  } else {
    // Also where a terminal or a log sees it.
    std::fprintf(stderr, "Error: %.*s\n", static_cast<int>(text.size()), text.data());
    Backend().ShowMessage(nullptr, text, "Error");
  }
  g_reporting = false;
}

int RunGuarded(const std::function<int()>& body) {
  try {
    return body();
  } catch (...) {
    ReportFault(FaultText(std::current_exception()));
    return kFaultExitCode;
  }
}

void InstallFaultHandler() {
  std::set_terminate([] { EndWithFault(std::current_exception()); });
#ifdef _WIN32
  SetUnhandledExceptionFilter(UnhandledFault);
#endif
}
