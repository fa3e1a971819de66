// THIArrayEnum: walks all items of an array, forward or backward.
#pragma once

#include "elements/array.h"

class THIArrayEnum : public THIBase {
 public:
  TData Item;   // current item
  TData Index;  // current index (Integer)
  THI_Event ArrayPoint;
  THI_Event onItem;
  THI_Event onEndEnum;
  uint8_t Direction = 0;  // 0: forward from index 0; 1: backward from the last index

  void doEnum(TData& data, uint16_t index);
  void GetItem(TData& data, uint16_t index);
  void GetIndex(TData& data, uint16_t index);
};
