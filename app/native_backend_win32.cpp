// The desktop program's backend on Windows: real Win32 windows.
#include "app/native_backend.h"
#include "ui/backends/win32/backend_win32.h"

bool InstallNativeBackend(int&, char**) {
  SetBackend(&Win32Backend());
  return true;
}

void RemoveNativeBackend() {
  SetBackend(nullptr);
}
