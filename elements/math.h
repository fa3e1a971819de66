// THIMath: one fixed operation (add, subtract, multiply) on two operands.
#pragma once

#include "runtime/element.h"

class THIMath : public THIBase {
 public:
  double Result = 0.0;
  double Default = 0.0;
  uint8_t Operation = 0;   // 0: a + b; 1: a - b; 2: a * b
  double Op1 = 0.0;        // default of the first operand
  double Op2 = 0.0;        // default of the second operand
  uint8_t ResultType = 0;  // 0: Integer (rounded half to even, low 32 bits); 1: Real
  THI_Event onResult;
  THI_Event Op1Point;
  THI_Event Op2Point;

  // Stores v as Default and as Result.
  void SetDefault(double v);
  void doOperation(TData& data, uint16_t index);
  void GetResult(TData& data, uint16_t index);
};
