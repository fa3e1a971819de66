#include "elements/position.h"

#include <cstdint>

void THIPosition::doSearch(TData& data, uint16_t) {
  std::string str = ReadString(data, StrPoint);
  std::string sub = ReadString(data, SubStrPoint, SubStr);
  int64_t pos;
  if (Restart == 1 || Position == 0)
    pos = ReadInteger(data, StartPosPoint, StartPos);
  else
    pos = static_cast<int64_t>(Position) + static_cast<int64_t>(sub.size());
  if (pos <= 0) pos = 1;
  Position = 0;
  if (!str.empty() && !sub.empty() && static_cast<uint64_t>(pos - 1) < str.size()) {
    size_t at = str.find(sub, static_cast<size_t>(pos - 1));
    if (at != std::string::npos && at < INT32_MAX) Position = static_cast<int32_t>(at + 1);
  }
  if (FoundOnly == 0 || Position > 0) RedirectInteger(data, onSearch, Position);
}

void THIPosition::GetPosition(TData& data, uint16_t) {
  SetInteger(data, Position);
}
