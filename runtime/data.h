// TData: the tagged value carried on every link, with its conversions and value chains.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct THI_Event;

// Value kinds; the numbers are fixed.
enum TDataKind : uint8_t {
  data_null = 0,
  data_int = 1,
  data_str = 2,
  data_data = 3,
  data_combo = 4,
  data_list = 5,
  data_icon = 6,
  data_real = 7,
  data_color = 8,
  data_script = 9,
  data_stream = 10,
  data_bitmap = 11,
  data_wave = 12,
  data_array = 13,
  data_comboEx = 14,
  data_font = 15,
  data_matrix = 16,
  data_jpeg = 17,
  data_menu = 18,
  data_code = 19,
  data_object = 20,
  data_break = 21,
};

constexpr int DataKindCount = 22;
constexpr uint8_t RedirectFlag = 128;

// Name of a kind ("NULL", "Integer", ...); "" for numbers outside the table.
const char* DataKindName(int kind);

// One value record. Copying the C++ object is the whole-record copy: the text is shared by
// value, RedirectTo and Next are copied as they are (chain nodes are shared, not duplicated).
struct TData {
  uint8_t Kind = data_null;
  int32_t IntValue = 0;
  // Reference of Array and Font values. Kept beside IntValue so that it survives 64-bit builds.
  void* Ref = nullptr;
  std::string StrValue;
  double RealValue = 0.0;
  const THI_Event* RedirectTo = nullptr;
  TData* Next = nullptr;
};

void SetNull(TData& d);
void SetInteger(TData& d, int32_t v);
void SetString(TData& d, std::string_view v);
void SetString(TData& d, std::string&& v);
inline void SetString(TData& d, const char* v) {
  SetString(d, std::string_view(v));
}
void SetReal(TData& d, double v);
void SetArray(TData& d, void* array);
void SetFont(TData& d, void* font);
// Whole-record copy of one value: RedirectTo and Next are cleared.
void CopyValue(TData& dst, const TData& src);
inline int KindOf(const TData& d) {
  return d.Kind;
}

TData MakeInteger(int32_t v);
TData MakeString(std::string_view v);
TData MakeReal(double v);

// Conversions between kinds.
int32_t ToInteger(const TData& d);
std::string ToString(const TData& d);
double ToReal(const TData& d);
int32_t ToIndex(const TData& d);
bool ToBool(const TData& d);
bool ValuesEqual(const TData& a, const TData& b);

// Number rules shared by the conversions and by the elements.
int32_t ParseInt(std::string_view s);
std::string FormatInt(int32_t v);
double ParseReal(std::string_view s);
std::string FormatReal(double v);
// Round to nearest, halves to even, and keep the low 32 bits of the result.
int32_t RoundToInt32(double v);

// Value chains. Nodes after the head are heap records owned by the element that built them.
void AppendChain(TData& head, const TData* source);
void FreeChain(TData& head);
// Pops the first value of a chain held in d: d takes the next node's record, or becomes NULL.
void PopValue(TData& d);
