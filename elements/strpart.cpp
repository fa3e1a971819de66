#include "elements/strpart.h"

void THIStrPart::doSplit(TData& data, uint16_t) {
  std::string s = ReadString(data, StrPoint);
  Remainder = s;
  if (Char.empty() || s.empty()) return;
  if (s.find(Char) == std::string::npos) {
    RedirectString(data, onNotFound, s);
    return;
  }
  size_t k = s.find(Char[0]);
  LeftPart = s.substr(0, k);
  Remainder = s.substr(k + 1);
  // Local copies: a receiver of the first event may split again and change both fields.
  std::string left = LeftPart;
  std::string right = Remainder;
  if (Mode == 0) {
    FireString(onLeft, left);
    RedirectString(data, onRight, right);
  } else {
    FireString(onRight, right);
    RedirectString(data, onLeft, left);
  }
}

void THIStrPart::GetLeft(TData& data, uint16_t) {
  SetString(data, LeftPart);
}
