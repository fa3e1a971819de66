#include "elements/math.h"

namespace {
void SetResult(TData& data, double r, uint8_t type) {
  if (type == 0)
    SetInteger(data, RoundToInt32(r));
  else
    SetReal(data, r);
}
}  // namespace

void THIMath::SetDefault(double v) {
  Default = v;
  Result = v;
}

void THIMath::doOperation(TData& data, uint16_t) {
  double a = ReadReal(data, Op1Point, Op1);
  double b = ReadReal(data, Op2Point, Op2);
  switch (Operation) {
    case 0:
      Result = a + b;
      break;
    case 1:
      Result = a - b;
      break;
    case 2:
      Result = a * b;
      break;
    default:
      break;  // no other operation exists; the result stays
  }
  TData out;
  SetResult(out, Result, ResultType);
  RedirectData(data, onResult, out);
}

void THIMath::GetResult(TData& data, uint16_t) {
  SetResult(data, Result, ResultType);
}
