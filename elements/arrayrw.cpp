#include "elements/arrayrw.h"

void THIArrayRW::doRead(TData& data, uint16_t) {
  TArrayIntf* a = ReadArrayIntf(ArrayPoint);
  if (!a) return;
  TData i = ReadValue(data, IndexPoint, &Index);
  if (a->Get(i, Item)) RedirectData(data, onItem, Item);
}

void THIArrayRW::doWrite(TData& data, uint16_t) {
  TArrayIntf* a = ReadArrayIntf(ArrayPoint);
  if (!a) return;
  TData i = ReadValue(data, IndexPoint, &Index);
  TData v = ReadValue(data, ValuePoint);
  a->Set(i, v);
}

void THIArrayRW::doAdd(TData& data, uint16_t) {
  TArrayIntf* a = ReadArrayIntf(ArrayPoint);
  if (!a) return;
  TData v = ReadValue(data, ValuePoint);
  a->Add(v);
}

void THIArrayRW::GetItem(TData& data, uint16_t) {
  CopyValue(data, Item);
}
