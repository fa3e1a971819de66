// The desktop program's backend on Linux and other Qt platforms.
#include <sys/stat.h>
#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/native_backend.h"
#include "ui/backends/qt/backend_qt.h"

namespace {

TQtBackend* g_backend = nullptr;

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// True when the X display named by DISPLAY can be reached: a local ":N" display has its
// socket; a display on another host is taken on trust.
bool XDisplayReachable() {
  std::string d = Env("DISPLAY");
  if (d.empty()) return false;
  if (d[0] != ':') return true;
  size_t end = d.find('.', 1);
  std::string number = d.substr(1, end == std::string::npos ? std::string::npos : end - 1);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  struct stat st;
  std::string socket = "/tmp/.X11-unix/X" + number;
  return ::stat(socket.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// Whether Qt can open its platform: creating the application without one ends the process.
bool DisplayUsable() {
  if (QGuiApplication::instance()) return true;
  std::string platform = Env("QT_QPA_PLATFORM");
  if (platform.empty()) return XDisplayReachable() || !Env("WAYLAND_DISPLAY").empty();
  if (platform.rfind("xcb", 0) == 0) return XDisplayReachable();
  if (platform.rfind("wayland", 0) == 0) return !Env("WAYLAND_DISPLAY").empty();
  return true;  // offscreen, vnc, eglfs ... need no display server
}

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()))
      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

bool ShowNativeMessageBox(int& argc, char** argv, std::string_view text, std::string_view caption) {
  if (!DisplayUsable()) return false;
  std::unique_ptr<QApplication> app;
  if (!QApplication::instance()) app = std::make_unique<QApplication>(argc, argv);
  QMessageBox box(QMessageBox::Information, Q(caption), Q(text), QMessageBox::Ok);
  box.exec();
  return true;
}

bool InstallNativeBackend(int& argc, char** argv) {
  if (!DisplayUsable()) return false;
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
