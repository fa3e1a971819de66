// THIGetIndexData: answers the value of the one input selected by doIndex.
#pragma once

#include "runtime/element.h"

class THIGetIndexData : public THIBase {
 public:
  int32_t Selected = -1;  // -1: none
  uint16_t Count = 0;
  TEventArray DataPoint;  // inputs 0 .. Count-1

  // Stores Count, sizes DataPoint and selects none.
  void SetCount(uint16_t n);
  void doIndex(TData& data, uint16_t index);
  void GetValue(TData& data, uint16_t index);
};
