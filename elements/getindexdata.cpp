#include "elements/getindexdata.h"

void THIGetIndexData::SetCount(uint16_t n) {
  Count = n;
  DataPoint.assign(n, THI_Event{});
  Selected = -1;
}

void THIGetIndexData::doIndex(TData& data, uint16_t) {
  int32_t i = ToInteger(data);
  Selected = (i >= 0 && i < Count) ? i : -1;
}

void THIGetIndexData::GetValue(TData& data, uint16_t) {
  if (Selected < 0 || static_cast<size_t>(Selected) >= DataPoint.size()) {
    SetNull(data);
    return;
  }
  ForwardPoint(data, DataPoint[static_cast<size_t>(Selected)]);
}
