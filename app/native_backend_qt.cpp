// The desktop program's backend on Linux and other Qt platforms.
#include <QGuiApplication>

#include "app/native_backend.h"
#include "ui/backends/qt/backend_qt.h"

namespace {

TQtBackend* g_backend = nullptr;

}  // namespace

bool InstallNativeBackend(int& argc, char** argv) {
  g_backend = new TQtBackend(argc, argv);
  if (!QGuiApplication::instance()) {
    delete g_backend;
    g_backend = nullptr;
    return false;
  }
  SetBackend(g_backend);
  return true;
}

void RemoveNativeBackend() {
  SetBackend(nullptr);
  delete g_backend;
  g_backend = nullptr;
}
