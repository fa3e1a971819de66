// THIIf_else: compares two operands and fires onTrue or onFalse with the incoming value.
#pragma once

#include "runtime/element.h"

class THIIf_else : public THIBase {
 public:
  enum : uint8_t { Equal, Less, Greater, LessEqual, GreaterEqual, NotEqual };

  uint8_t Type = Equal;
  TData Op1;
  TData Op2;
  THI_Event Op2Point;
  THI_Event Op1Point;
  THI_Event onTrue;
  THI_Event onFalse;

  void doCompare(TData& data, uint16_t);
};
