// Sub-scheme containers: THIMultiElement seen from the parent, THIEditMulti seen from inside.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/scheme.h"

class TControl;  // a window of the window layer; opaque here
class THIEditMulti;
class THIMultiElement;

// Builds the sub-scheme for a container and returns its boundary.
using TMakeProc = THIEditMulti* (*)(THIMultiElement* container, TControl* parentWindow,
                                    TScheme* parentScheme);

class THIMultiElement : public THIBase {
 public:
  explicit THIMultiElement(TControl* parentWindow) : ParentWindow(parentWindow) {}
  ~THIMultiElement() override;

  THIEditMulti* Boundary = nullptr;
  TMakeProc Make = nullptr;
  TControl* ParentWindow = nullptr;
  uint8_t Deferred = 0;
  TEventArray onEvent;
  TEventArray Data;
  TScheme* ParentScheme = nullptr;

  // Sizes onEvent and Data (all slots unlinked).
  void SetCounts(int events, int dataPoints);
  void SetMake(TMakeProc make);
  void EnsureBuilt();
  void doWork(TData& data, uint16_t index);
};

class THIEditMulti : public THIBase {
 public:
  THIEditMulti(THIMultiElement* container, TScheme* owner, int workPoints)
      : Container(container), Owner(owner), onWork(static_cast<size_t>(workPoints)) {}

  THIMultiElement* Container = nullptr;
  TScheme* Owner = nullptr;
  TEventArray onWork;
  TEventArray Values;  // reserved; every sub-scheme here sizes it to 0

  void doEvent(TData& data, uint16_t index);
  void Data(TData& data, uint16_t index);
};

// A generated sub-scheme: owns its elements, the first of them (or the second, after a frame)
// being its boundary. Constructors take (parent window, parent scheme, container).
class TSubScheme : public TScheme {
 public:
  TSubScheme(TScheme* parentScheme) : ParentScheme(parentScheme) {}
  THIEditMulti* Boundary() const { return boundary_; }
  TScheme* ParentScheme = nullptr;

 protected:
  THIEditMulti* MakeBoundary(THIMultiElement* container, int workPoints) {
    boundary_ = Add<THIEditMulti>(container, this, workPoints);
    return boundary_;
  }

 private:
  THIEditMulti* boundary_ = nullptr;
};

// The make function of a sub-scheme class S.
template <class S>
THIEditMulti* MakeSubScheme(THIMultiElement* container, TControl* parentWindow,
                            TScheme* parentScheme) {
  S* s = new S(parentWindow, parentScheme, container);
  return s->Boundary();
}

// The make function of entry N of a sub-scheme class S built from a table of layouts.
template <class S, int N>
THIEditMulti* MakeSubSchemeOf(THIMultiElement* container, TControl* parentWindow,
                              TScheme* parentScheme) {
  S* s = new S(parentWindow, parentScheme, container, N);
  return s->Boundary();
}
