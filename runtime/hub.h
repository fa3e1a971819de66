// THIHub: fires all its outputs in order, each with its own copy of the incoming value.
#pragma once

#include "runtime/element.h"

class THIHub : public THIBase {
 public:
  uint8_t OutCount = 0;
  TEventArray onEvent;

  void SetCount(uint8_t n) {
    OutCount = n;
    onEvent.assign(n, THI_Event{});
  }
  void doEvent(TData& data, uint16_t) {
    for (uint8_t k = 0; k < OutCount; ++k)
      FireData(onEvent[k], data);
  }
};
