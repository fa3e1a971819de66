// The desktop program's backend on Windows: real Win32 windows.
#include "app/native_backend.h"
#include "platform/os.h"
#include "ui/backends/win32/backend_win32.h"

bool ShowNativeMessageBox(int&, char**, std::string_view text, std::string_view caption) {
  os::ShowMessageBox(text, caption);  // MessageBoxA: there is always a desktop
  return true;
}

bool InstallNativeBackend(int&, char**) {
  SetBackend(&Win32Backend());
  return true;
}

void RemoveNativeBackend() {
  SetBackend(nullptr);
}
