// THIArrayRW: reads, writes and appends single items of an array.
#pragma once

#include "elements/array.h"

class THIArrayRW : public THIBase {
 public:
  TData Item;   // item of the last doRead (NULL when it failed)
  TData Index;  // default index
  THI_Event IndexPoint;
  THI_Event ValuePoint;
  THI_Event ArrayPoint;
  THI_Event onItem;

  void doRead(TData& data, uint16_t index);
  void doWrite(TData& data, uint16_t index);
  void doAdd(TData& data, uint16_t index);
  void GetItem(TData& data, uint16_t index);
};
