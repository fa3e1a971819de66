// Test fixture: dispatchers installed, start-up list and shared variables clean.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "runtime/event.h"
#include "runtime/globalvar.h"
#include "runtime/initprocs.h"

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallDispatchers();
    InitProcs.clear();
    InitDone = true;
  }
  void TearDown() override {
    ResetDispatchers();
    InitProcs.clear();
    InitDone = false;
    ClearGlobalVars();
  }
};

// Records every value it receives.
class Probe : public THIBase {
 public:
  std::vector<TData> got;
  std::vector<uint16_t> indexes;
  void doWork(TData& d, uint16_t index) {
    TData copy;
    CopyValue(copy, d);
    got.push_back(copy);
    indexes.push_back(index);
  }
  // Collects a whole chain as text: "1,2,3".
  std::vector<std::string> chains;
  void doChain(TData& d, uint16_t) {
    std::string s;
    for (const TData* p = &d; p; p = p->Next) {
      if (!s.empty()) s += ',';
      s += ToString(*p);
    }
    chains.push_back(s);
  }
  THI_Event work(uint16_t index = 0) { return MakeEvent<&Probe::doWork>(this, index); }
  THI_Event chain() { return MakeEvent<&Probe::doChain>(this, 0); }
};

// A value point that answers a fixed record.
class Source : public THIBase {
 public:
  TData value;
  int calls = 0;
  void GetValue(TData& d, uint16_t) {
    ++calls;
    d = value;
  }
  THI_Event point() { return MakeEvent<&Source::GetValue>(this); }
};

inline TData Chain(std::vector<TData>& storage) {
  for (size_t i = 0; i + 1 < storage.size(); ++i)
    storage[i].Next = &storage[i + 1];
  return storage.empty() ? TData{} : storage[0];
}
