#include "elements/length.h"

void THILength::doLength(TData& data, uint16_t) {
  std::string s = ReadString(data, StrPoint);
  Length = static_cast<int32_t>(s.size());
  RedirectInteger(data, onLength, Length);
}

void THILength::GetLength(TData& data, uint16_t) {
  SetInteger(data, Length);
}
