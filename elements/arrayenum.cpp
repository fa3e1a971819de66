#include "elements/arrayenum.h"

void THIArrayEnum::doEnum(TData& data, uint16_t) {
  TArrayIntf* a = ReadArrayIntf(ArrayPoint);
  if (!a) return;
  int32_t step = Direction == 0 ? 1 : -1;
  int32_t i = Direction == 0 ? 0 : a->Count() - 1;
  SetInteger(Index, i);
  while (a->Get(Index, Item)) {
    FireData(onItem, Item);
    if (i == INT32_MIN || i == INT32_MAX) break;
    i += step;
    SetInteger(Index, i);
  }
  SetNull(data);
  Redirect(data, onEndEnum);
}

void THIArrayEnum::GetItem(TData& data, uint16_t) {
  CopyValue(data, Item);
}
void THIArrayEnum::GetIndex(TData& data, uint16_t) {
  CopyValue(data, Index);
}
