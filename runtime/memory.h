// THIMemory: stores one value and announces every change.
#pragma once

#include "runtime/element.h"

class THIMemory : public THIBase {
 public:
  TData Value;
  TData Default;
  THI_Event onData;
  THI_Event DataPoint;

  void SetDefault(const TData& v) {
    CopyValue(Default, v);
    CopyValue(Value, v);
  }
  void doValue(TData& data, uint16_t) {
    Value = ReadValue(data, DataPoint);
    RedirectData(data, onData, Value);
  }
  void doClear(TData& data, uint16_t) {
    CopyValue(Value, Default);
    RedirectData(data, onData, Value);
  }
  void GetValue(TData& data, uint16_t) { CopyValue(data, Value); }
};
