// THIFor: a counting loop from Start to End, one onEvent per pass, then onStop.
#pragma once

#include "runtime/element.h"

class THIFor : public THIBase {
 public:
  int32_t Counter = 0;
  int32_t Start = 0;
  int32_t End = 0;
  int32_t Step = 1;
  bool IncludeEnd = true;
  bool TakeIncoming = false;
  THI_Event EndPoint;
  THI_Event StartPoint;
  THI_Event onEvent;
  THI_Event onStop;

  void doFor(TData& data, uint16_t);
  void GetCounter(TData& data, uint16_t) { SetInteger(data, Counter); }
};
