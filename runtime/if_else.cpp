#include "runtime/if_else.h"

#include <cstring>

namespace {

template <class T>
bool Compare(uint8_t type, const T& a, const T& b) {
  switch (type) {
    case THIIf_else::Equal:
      return a == b;
    case THIIf_else::Less:
      return a < b;
    case THIIf_else::Greater:
      return a > b;
    case THIIf_else::LessEqual:
      return a <= b;
    case THIIf_else::GreaterEqual:
      return a >= b;
    case THIIf_else::NotEqual:
      return a != b;
    default:
      return false;
  }
}

// Zero-terminated comparison with a-z folded to upper case, bytes unsigned.
int CompareFolded(const std::string& a, const std::string& b) {
  const char* pa = a.c_str();
  const char* pb = b.c_str();
  for (;; ++pa, ++pb) {
    unsigned ca = static_cast<unsigned char>(*pa);
    unsigned cb = static_cast<unsigned char>(*pb);
    if (ca >= 'a' && ca <= 'z') ca -= 32;
    if (cb >= 'a' && cb <= 'z') cb -= 32;
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

}  // namespace

void THIIf_else::doCompare(TData& data, uint16_t) {
  TData s = data;  // the incoming value as it arrived, chain included
  s.RedirectTo = nullptr;
  TData a = ReadValue(data, Op1Point, &Op1);
  TData b = ReadValue(data, Op2Point, &Op2);
  bool result = false;
  switch (a.Kind) {
    case data_null:
      result = b.Kind == data_null;
      break;
    case data_int:
      result = Compare(Type, a.IntValue, ToInteger(b));
      break;
    case data_str: {
      std::string bs = ToString(b);
      if (Type == Equal)
        result = a.StrValue == bs;
      else if (Type == NotEqual)
        result = a.StrValue != bs;
      else
        result = Compare(Type, CompareFolded(a.StrValue, bs), 0);
      break;
    }
    case data_real:
      result = Compare(Type, a.RealValue, ToReal(b));
      break;
    default:
      result = false;
  }
  RedirectData(data, result ? onTrue : onFalse, s);
}
