#include "runtime/multi.h"

#include "runtime/initprocs.h"

THIMultiElement::~THIMultiElement() {
  if (Boundary) {
    TScheme* owner = Boundary->Owner;
    Boundary = nullptr;
    delete owner;
  }
}

void THIMultiElement::SetCounts(int events, int dataPoints) {
  onEvent.assign(static_cast<size_t>(events), THI_Event{});
  Data.assign(static_cast<size_t>(dataPoints), THI_Event{});
}

void THIMultiElement::SetMake(TMakeProc make) {
  Make = make;
  if (!Deferred) EnsureBuilt();
}

void THIMultiElement::EnsureBuilt() {
  if (Boundary || !Make) return;
  bool wasDone = InitDone;
  InitDone = false;
  Boundary = Make(this, ParentWindow, ParentScheme);
  if (wasDone) RunInitProcs();
}

void THIMultiElement::doWork(TData& data, uint16_t index) {
  EnsureBuilt();
  // Same record all the way; the dispatcher continues into the sub-scheme.
  if (Boundary && index < Boundary->onWork.size()) Redirect(data, Boundary->onWork[index]);
}

void THIEditMulti::doEvent(TData& data, uint16_t index) {
  if (Container && index < Container->onEvent.size()) Redirect(data, Container->onEvent[index]);
}

void THIEditMulti::Data(TData& data, uint16_t index) {
  if (Container && index < Container->Data.size())
    ForwardPoint(data, Container->Data[index]);
  else
    data.Kind = data_break;
}
