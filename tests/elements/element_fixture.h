// Helpers for element tests: dispatchers on, a probe that records what it receives, a value
// point with a fixed answer, and firing a work point as a link would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

class ElementTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallDispatchers(); }
  void TearDown() override { ResetDispatchers(); }
};

// Records every value it receives, in order.
class Probe : public THIBase {
 public:
  std::vector<TData> got;
  void doWork(TData& d, uint16_t) {
    TData copy;
    CopyValue(copy, d);
    got.push_back(copy);
  }
  THI_Event Link() { return MakeEvent<&Probe::doWork>(this); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const TData& d : got)
      out.push_back(ToString(d));
    return out;
  }
};

// A data point's answer.
class Source : public THIBase {
 public:
  TData value;
  void GetValue(TData& d, uint16_t) { CopyValue(d, value); }
  THI_Event Link() { return MakeEvent<&Source::GetValue>(this); }
};

// Calls a work point through the event dispatcher with the given incoming value.
template <auto M, class E>
TData Fire(E& element, TData in = TData{}) {
  FireEvent(MakeEvent<M>(&element), in);
  return in;
}

// A value point's answer.
template <auto M, class E>
TData Ask(E& element) {
  TData d;
  CallPoint(MakeEvent<M>(&element), d);
  return d;
}
