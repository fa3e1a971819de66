// THILength: the length of a text in bytes.
#pragma once

#include "runtime/element.h"

class THILength : public THIBase {
 public:
  int32_t Length = 0;  // last length
  THI_Event StrPoint;
  THI_Event onLength;

  void doLength(TData& data, uint16_t index);
  void GetLength(TData& data, uint16_t index);
};
