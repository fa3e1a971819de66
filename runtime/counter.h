// THICounter: steps a value between Min and Max, wrapping to the other bound.
#pragma once

#include "runtime/element.h"

class THICounter : public THIBase {
 public:
  int32_t Value = 0;
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Step = 1;
  uint8_t Direction = 0;  // 0 up, 1 down
  THI_Event onNext;

  void doNext(TData& data, uint16_t) {
    // 64-bit so that a step past the integer range wraps to the bound, not around.
    if (Direction == 0) {
      int64_t v = static_cast<int64_t>(Value) + Step;
      Value = v > Max ? Min : static_cast<int32_t>(v);
    } else {
      int64_t v = static_cast<int64_t>(Value) - Step;
      Value = v < Min ? Max : static_cast<int32_t>(v);
    }
    RedirectInteger(data, onNext, Value);
  }
  void GetValue(TData& data, uint16_t) { SetInteger(data, Value); }
};
