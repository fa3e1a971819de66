// THIDoData: sends a value: the Data point's, else the property, else the incoming one.
#pragma once

#include "runtime/element.h"

class THIDoData : public THIBase {
 public:
  TData Data;
  THI_Event DataPoint;
  THI_Event onData;

  void doData(TData& data, uint16_t) {
    TData v = ReadValue(data, DataPoint, &Data);
    RedirectData(data, onData, v);
  }
};
