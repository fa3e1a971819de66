// THIChangeMon: passes a value on only when it differs from the last one passed.
#pragma once

#include "runtime/element.h"

class THIChangeMon : public THIBase {
 public:
  TData Last;
  THI_Event DataPoint;
  THI_Event onData;

  void doData(TData& data, uint16_t) {
    TData v = ReadValue(data, DataPoint);
    data = v;
    if (ValuesEqual(Last, v)) return;
    Last = v;
    Redirect(data, onData);
  }
};
