// Test fixture for the window layer: headless backend, clean application and start-up list.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/app.h"
#include "elements/translator.h"
#include "platform/os.h"
#include "runtime/event.h"
#include "runtime/globalvar.h"
#include "runtime/initprocs.h"
#include "tests/support/temp_folder.h"
#include "ui/backend.h"
#include "ui/backends/headless/backend_headless.h"
#include "ui/backends/headless/simulator.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBackend(&HeadlessBackend());
    // A form whose placement goes to an installed program's per-user folder writes it here.
    os::SetUserConfigFolder(userFolder_.Path());
    ResetApplication();
    InitProcs.clear();
    InitDone = false;
    HeadlessBackend().ResetCounts();
    liveAtStart_ = TControl::LiveCount();
    InstallDispatchers();
  }
  void TearDown() override {
    ResetDispatchers();
    ResetApplication();
    InitProcs.clear();
    InitDone = false;
    ClearGlobalVars();
    ClearTranslation();
    os::SetProgramFolder("");
    os::SetUserConfigFolder("");
    SetBackend(nullptr);
  }
  int LiveControls() const { return TControl::LiveCount() - liveAtStart_; }

 private:
  int liveAtStart_ = 0;
  TempFolder userFolder_;
};

// Records what its work point receives.
class Probe : public THIBase {
 public:
  std::vector<std::string> got;  // each value as text, whole chains joined with ","
  std::vector<int> kinds;
  void doWork(TData& d, uint16_t) {
    std::string s;
    for (const TData* p = &d; p; p = p->Next) {
      if (!s.empty()) s += ',';
      s += ToString(*p);
    }
    got.push_back(s);
    kinds.push_back(d.Kind);
  }
  THI_Event work() { return MakeEvent<&Probe::doWork>(this); }
  size_t count() const { return got.size(); }
};

// Calls a work point through the dispatcher, so that its redirects are followed.
template <auto M, class C>
void Send(C* element, TData data) {
  THI_Event e = MakeEvent<M>(element);
  FireEvent(e, data);
}

// A value point answering a fixed integer.
class IntSource : public THIBase {
 public:
  int32_t value = 0;
  void GetValue(TData& d, uint16_t) { SetInteger(d, value); }
  THI_Event point() { return MakeEvent<&IntSource::GetValue>(this); }
};
