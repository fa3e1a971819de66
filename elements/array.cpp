#include "elements/array.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "elements/tstrlist.h"

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
int32_t TArray::LoadItem(std::string_view) {
  return 0;
}

std::string_view TArray::NameAt(size_t i) const {
  if (i >= Names.size()) return {};
  return std::string_view(NameBuf).substr(Names[i].Offset, Names[i].Length);
}

int64_t TArray::FindName(std::string_view name) const {
  if (NameSlots.empty()) return -1;
  size_t mask = NameSlots.size() - 1;
  size_t hash = HashName(name);
  uint32_t tag = static_cast<uint32_t>(hash);
  for (size_t h = hash & mask;; h = (h + 1) & mask) {
    const NameSlot& slot = NameSlots[h];
    if (slot.Pos == 0) return -1;
    if (slot.Hash == tag && NameAt(slot.Pos - 1) == name) return static_cast<int64_t>(slot.Pos - 1);
  }
}

void TArray::IndexEntry(size_t pos) {
  if ((NameCount + 1) * 2 > NameSlots.size())
    RehashIndex(NameSlots.empty() ? 16 : NameSlots.size() * 2);
  PlaceEntry(pos, HashName(NameAt(pos)));
}

void TArray::PlaceEntry(size_t pos, size_t hash) {
  std::string_view name = NameAt(pos);
  size_t mask = NameSlots.size() - 1;
  uint32_t tag = static_cast<uint32_t>(hash);
  for (size_t h = hash & mask;; h = (h + 1) & mask) {
    NameSlot& slot = NameSlots[h];
    if (slot.Pos == 0) {
      slot.Hash = tag;
      slot.Pos = static_cast<uint32_t>(pos + 1);
      ++NameCount;
      return;
    }
    if (slot.Hash == tag && NameAt(slot.Pos - 1) == name) return;  // the first entry stays
  }
}

void TArray::IndexFrom(size_t first) {
  size_t n = Items.size();
  if (first >= n) return;
  size_t slots = NameSlots.empty() ? 16 : NameSlots.size();
  while (slots < 2 * (NameCount + n - first))
    slots *= 2;
  if (slots != NameSlots.size()) RehashIndex(slots);
  // Entries go in in order (the first of a name wins). The hashes of the next few entries are
  // computed ahead and their slots fetched into the cache while the current one is placed.
  constexpr size_t kAhead = 16;
  size_t mask = NameSlots.size() - 1;
  size_t ahead[kAhead];
  auto prepare = [&](size_t i) {
    size_t h = HashName(NameAt(i));
    ahead[i % kAhead] = h;
#if defined(__GNUC__)
    __builtin_prefetch(&NameSlots[h & mask], 1);
#endif
  };
  for (size_t i = first; i < n && i < first + kAhead; ++i)
    prepare(i);
  for (size_t i = first; i < n; ++i) {
    size_t h = ahead[i % kAhead];
    if (i + kAhead < n) prepare(i + kAhead);
    PlaceEntry(i, h);
  }
}

void TArray::RehashIndex(size_t slots) {
  std::vector<NameSlot> old;
  old.swap(NameSlots);
  NameSlots.assign(slots, NameSlot{});
  size_t mask = NameSlots.size() - 1;
  for (const NameSlot& slot : old) {
    if (slot.Pos == 0) continue;
    // The stored tag is the low 32 bits of the hash: enough to place the name again only when
    // the table is no bigger than 2^32 slots; otherwise hash the name once more.
    size_t h = (mask >> 16 >> 16) == 0 ? slot.Hash & mask : HashName(NameAt(slot.Pos - 1)) & mask;
    while (NameSlots[h].Pos != 0)
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

void TArray::AppendItem(std::string_view name, int32_t item, bool index) {
  if (Items.size() >= static_cast<size_t>(INT32_MAX)) return;  // Count is a signed 32-bit number
  NameRef r;
  r.Offset = NameBuf.size();
  r.Length = static_cast<uint32_t>(name.size());
  NameBuf.append(name);
  Items.push_back(item);
  Names.push_back(r);
  if (index) IndexEntry(Items.size() - 1);
}

TNameValue SplitNameValue(std::string_view line) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {line, line, false};
  return {line.substr(0, eq), line.substr(eq + 1), true};
}

void TArray::TakeLines(std::string&& text) {
  ClearItems();
  size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  NameBuf = std::move(text);
  size_t lines = static_cast<size_t>(std::count(NameBuf.begin(), NameBuf.end(), '\r')) + 1;
  Items.reserve(lines);
  Names.reserve(lines);
  const char* base = NameBuf.data();
  ForEachLine(NameBuf, [&](std::string_view line) {
    if (Items.size() >= static_cast<size_t>(INT32_MAX)) return;
    TNameValue entry = SplitNameValue(line);
    NameRef r;
    r.Offset = static_cast<size_t>(entry.Name.data() - base);
    r.Length = static_cast<uint32_t>(std::min<size_t>(entry.Name.size(), UINT32_MAX));
    Items.push_back(LoadItem(entry.Value));
    Names.push_back(r);
  });
  IndexFrom(0);
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
