#include "controls/app.h"

#include "ui/backend.h"

namespace {

TControl* g_applet = nullptr;
bool g_running = false;
bool g_terminated = false;
TIdleHook g_idle = nullptr;

}  // namespace

TControl* ApplicationWindow() {
  return g_applet;
}

bool CreateApplicationWindow() {
  if (g_applet) return false;
  g_applet = new TControl(TControlKind::Application, nullptr);
  g_terminated = false;
  return true;
}

void DestroyApplicationWindow() {
  TControl* a = g_applet;
  g_applet = nullptr;
  delete a;
}

bool AppRunning() {
  return g_running;
}
bool AppTerminated() {
  return g_terminated;
}

void SetIdleHook(TIdleHook hook) {
  g_idle = hook;
}

void Run(TControl* applicationWindow) {
  g_running = true;
  g_terminated = false;
  Backend().ResetQuit();
  TControl* app = applicationWindow ? applicationWindow : g_applet;
  if (app) app->CreateWindowTree();
  while (!g_terminated) {
    if (!Backend().ProcessMessages(true)) g_terminated = true;
    if (g_idle) g_idle();
  }
  if (g_applet) Terminate();
  g_running = false;
}

void Terminate() {
  bool already = g_terminated;
  g_terminated = true;
  g_running = false;
  TControl* app = g_applet;
  if (!app) return;
  if (!already) {
    Backend().ProcessMessages(false);
    app->Close(false);
  }
  DestroyApplicationWindow();
  Backend().PostQuit();
}

void ResetApplication() {
  DestroyApplicationWindow();
  g_running = false;
  g_terminated = false;
  g_idle = nullptr;
  Backend().ResetQuit();
}
