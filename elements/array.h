// The array interface (Set, Get, Count, Add on 0-based indexes) and TArray, the base of the
// array elements: an ordered list of (name, 32-bit item) entries with first-match name lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/element.h"

// Four operations bound to one array object. An Array value (TData of kind Array) carries a
// pointer to one of these in Ref; it never owns the array.
struct TArrayIntf {
  void* Owner = nullptr;
  void (*SetProc)(void* owner, const TData& index, const TData& value) = nullptr;
  bool (*GetProc)(void* owner, const TData& index, TData& result) = nullptr;
  int32_t (*CountProc)(void* owner) = nullptr;
  void (*AddProc)(void* owner, const TData& value) = nullptr;

  void Set(const TData& index, const TData& value) const { SetProc(Owner, index, value); }
  // result becomes the item (NULL first); true when an item was found and is not NULL.
  bool Get(const TData& index, TData& result) const { return GetProc(Owner, index, result); }
  int32_t Count() const { return CountProc(Owner); }
  void Add(const TData& value) const { AddProc(Owner, value); }
};

// Binds the four operations to the methods ArrSet, ArrGet, ArrCount, ArrAdd of obj.
template <class C>
TArrayIntf BindArrayIntf(C* obj) {
  TArrayIntf a;
  a.Owner = obj;
  a.SetProc = [](void* o, const TData& i, const TData& v) { static_cast<C*>(o)->ArrSet(i, v); };
  a.GetProc = [](void* o, const TData& i, TData& r) { return static_cast<C*>(o)->ArrGet(i, r); };
  a.CountProc = [](void* o) { return static_cast<C*>(o)->ArrCount(); };
  a.AddProc = [](void* o, const TData& v) { static_cast<C*>(o)->ArrAdd(v); };
  return a;
}

// Makes d an Array value referring to a.
inline void SetArrayValue(TData& d, TArrayIntf* a) {
  SetArray(d, a);
}
// The array a data point answers, or nullptr when unlinked or not an Array value.
inline TArrayIntf* ReadArrayIntf(const THI_Event& point) {
  return static_cast<TArrayIntf*>(ReadArray(point));
}

// One name=value line of a text-mode array file: the name is the text before the first '=', the
// value text everything after it; a line without '=' is both name and value text.
struct TNameValue {
  std::string_view Name;
  std::string_view Value;
  bool HasEquals = false;
};
TNameValue SplitNameValue(std::string_view line);

class TArray : public THIBase {
 public:
  TArrayIntf Intf;        // bound to this object by the constructor
  std::string FileName;   // file read by doLoad
  bool TextMode = false;  // true: name=value text lines; false: raw 4-byte items
  bool ByName = false;    // true: Get and Set first take the index as an item name
  THI_Event FileNamePoint;

  TArray();
  ~TArray() override;

  // Item conversions of the derived array.
  virtual int32_t ToItem(const TData& v);
  virtual void FromItem(int32_t item, TData& v);  // base: NULL
  virtual void DisposeItem(int32_t item);
  virtual bool Compare(int32_t a, int32_t b);
  // The item of a value text in a text file (base: 0).
  virtual int32_t LoadItem(std::string_view text);

  // The array interface.
  void ArrSet(const TData& index, const TData& value);
  bool ArrGet(const TData& index, TData& result);
  int32_t ArrCount() const { return static_cast<int32_t>(Items.size()); }
  void ArrAdd(const TData& value);

  // Direct access to the entries.
  size_t Size() const { return Items.size(); }
  int32_t ItemAt(size_t i) const { return Items[i]; }
  std::string_view NameAt(size_t i) const;
  // Position of the first entry named name, or -1.
  int64_t FindName(std::string_view name) const;

  // Removes every entry (each item through DisposeItem).
  void ClearItems();
  // Appends one entry. Names are kept in one buffer; the name index follows every change.
  // Bulk loading passes index = false and calls IndexFrom(first entry appended) at the end.
  void AppendItem(std::string_view name, int32_t item, bool index = true);
  void IndexFrom(size_t first);
  // Replaces all entries by the lines of text: "name=value", or a line without '=' as both
  // name and value; the item is LoadItem(value). text itself is kept as the name buffer.
  void TakeLines(std::string&& text);
  // Reserves room for about n entries and bytes of names (loading).
  void Reserve(size_t n, size_t nameBytes);

 private:
  struct NameRef {
    size_t Offset = 0;
    uint32_t Length = 0;
  };
  std::vector<int32_t> Items;
  std::vector<NameRef> Names;  // parallel to Items
  std::string NameBuf;
  // Open-addressing hash table over the names, holding the first entry of every name, so that
  // a lookup costs one short probe run, not a scan.
  struct NameSlot {
    uint32_t Hash = 0;  // low 32 bits of the name's hash
    uint32_t Pos = 0;   // entry position + 1; 0 = empty slot
  };
  std::vector<NameSlot> NameSlots;
  size_t NameCount = 0;  // distinct names in NameSlots
  void IndexEntry(size_t pos);
  void PlaceEntry(size_t pos, size_t hash);
  void RehashIndex(size_t slots);  // slots: a power of two
};
