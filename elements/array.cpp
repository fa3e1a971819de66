#include "elements/array.h"

#include <cstdint>
#include <functional>

namespace {
size_t HashName(std::string_view s) {
  return std::hash<std::string_view>{}(s);
}
}  // namespace

TArray::TArray() : Intf(BindArrayIntf(this)) {}

TArray::~TArray() {
  ClearItems();
}

int32_t TArray::ToItem(const TData&) {
  return 0;
}
void TArray::FromItem(int32_t, TData& v) {
  SetNull(v);
}
void TArray::DisposeItem(int32_t) {}
bool TArray::Compare(int32_t, int32_t) {
  return false;
}

std::string_view TArray::NameAt(size_t i) const {
  if (i >= Names.size()) return {};
  return std::string_view(NameBuf).substr(Names[i].Offset, Names[i].Length);
}

int64_t TArray::FindName(std::string_view name) const {
  if (NameSlots.empty()) return -1;
  size_t mask = NameSlots.size() - 1;
  for (size_t h = HashName(name) & mask;; h = (h + 1) & mask) {
    uint32_t slot = NameSlots[h];
    if (slot == 0) return -1;
    if (NameAt(slot - 1) == name) return static_cast<int64_t>(slot - 1);
  }
}

void TArray::IndexEntry(size_t pos) {
  if ((NameCount + 1) * 2 > NameSlots.size()) GrowIndex();
  std::string_view name = NameAt(pos);
  size_t mask = NameSlots.size() - 1;
  for (size_t h = HashName(name) & mask;; h = (h + 1) & mask) {
    uint32_t slot = NameSlots[h];
    if (slot == 0) {
      NameSlots[h] = static_cast<uint32_t>(pos + 1);
      ++NameCount;
      return;
    }
    if (NameAt(slot - 1) == name) return;  // the first entry of a name stays
  }
}

void TArray::GrowIndex() {
  std::vector<uint32_t> old;
  old.swap(NameSlots);
  NameSlots.assign(old.empty() ? 16 : old.size() * 2, 0);
  size_t mask = NameSlots.size() - 1;
  for (uint32_t slot : old) {
    if (slot == 0) continue;
    size_t h = HashName(NameAt(slot - 1)) & mask;
    while (NameSlots[h] != 0)
      h = (h + 1) & mask;
    NameSlots[h] = slot;
  }
}

void TArray::ClearItems() {
  for (int32_t item : Items)
    DisposeItem(item);
  Items.clear();
  Names.clear();
  NameBuf.clear();
  NameSlots.clear();
  NameCount = 0;
}

void TArray::Reserve(size_t n, size_t nameBytes) {
  Items.reserve(n);
  Names.reserve(n);
  NameBuf.reserve(nameBytes);
}

void TArray::AppendItem(std::string_view name, int32_t item) {
  if (Items.size() >= static_cast<size_t>(INT32_MAX)) return;  // Count is a signed 32-bit number
  NameRef r;
  r.Offset = NameBuf.size();
  r.Length = static_cast<uint32_t>(name.size());
  NameBuf.append(name);
  Items.push_back(item);
  Names.push_back(r);
  IndexEntry(Items.size() - 1);
}

void TArray::ArrSet(const TData& index, const TData& value) {
  if (Items.empty()) return;
  if (ByName) {
    int64_t at = FindName(ToString(index));
    if (at >= 0) {
      DisposeItem(Items[static_cast<size_t>(at)]);
      Items[static_cast<size_t>(at)] = ToItem(value);
      return;
    }
  }
  int32_t i = ToIndex(index);
  if (i >= 0 && static_cast<size_t>(i) < Items.size()) {
    DisposeItem(Items[static_cast<size_t>(i)]);
    Items[static_cast<size_t>(i)] = ToItem(value);
  }
}

bool TArray::ArrGet(const TData& index, TData& result) {
  SetNull(result);
  if (Items.empty()) return false;
  if (ByName) {
    int64_t at = FindName(ToString(index));
    if (at >= 0) {
      FromItem(Items[static_cast<size_t>(at)], result);
      return result.Kind != data_null;
    }
  }
  int32_t i = ToIndex(index);
  if (i < 0 || static_cast<size_t>(i) >= Items.size()) return false;
  if (ByName && ToString(index) != FormatInt(i)) return false;
  FromItem(Items[static_cast<size_t>(i)], result);
  return result.Kind != data_null;
}

void TArray::ArrAdd(const TData& value) {
  AppendItem({}, ToItem(value));
}
