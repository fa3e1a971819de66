// herosheet-first-frame: the desktop program that ends as soon as its form has been painted
// once, printing the milliseconds from process start. Used to measure the start-up time.
#include <unistd.h>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/native_backend.h"
#include "controls/app.h"
#include "scheme/main_form.h"
#include "ui/backend.h"
#include "ui/backends/qt/backend_qt.h"

namespace {

// Milliseconds since the process started (from its start time in /proc).
double SinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string s((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  size_t p = s.rfind(')');
  unsigned long long start = 0;
  if (p != std::string::npos) {
    std::string rest = s.substr(p + 2);
    int field = 3;
    size_t pos = 0;
    while (field < 22 && pos != std::string::npos) {
      pos = rest.find(' ', pos);
      if (pos != std::string::npos) ++pos;
      ++field;
    }
    if (pos != std::string::npos) start = std::stoull(rest.substr(pos));
  }
  std::ifstream up("/proc/uptime");
  double uptime = 0;
  up >> uptime;
  return (uptime - static_cast<double>(start) / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
}

class TFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && !done) {
      done = true;
      ms = SinceProcessStart();
      Backend().PostQuit();
    }
    return QObject::eventFilter(o, e);
  }
  bool done = false;
  double ms = 0;
};

}  // namespace

int main(int argc, char** argv) {
  auto t0 = std::chrono::steady_clock::now();
  auto ms = [&t0] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  };
  if (!InstallNativeBackend(argc, argv)) return 1;
  double backendMs = ms();
  auto* scheme = new TMainForm();
  double builtMs = ms();
  TFirstPaint probe;
  auto& qt = static_cast<TQtBackend&>(Backend());
  if (QWidget* w = qt.WidgetOf(*scheme->mainForm->Control)) w->installEventFilter(&probe);
  Start(scheme->mainForm);
  double startedMs = ms();
  Run(ApplicationWindow());
  double inProcess = ms();
  delete scheme;
  RemoveNativeBackend();
  std::printf(
      "first frame: %.1f ms from process start (%.1f ms from main: backend %.1f, scheme %.1f, "
      "start-up %.1f)\n",
      probe.ms, inProcess, backendMs, builtMs - backendMs, startedMs - builtMs);
  return probe.done ? 0 : 1;
}
