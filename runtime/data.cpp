#include "runtime/data.h"

#include <cmath>

namespace {

const char* const kKindNames[DataKindCount] = {
    "NULL",   "Integer", "String", "Data",   "Combo",  "StrList", "Icon",    "Real",
    "Color",  "Script",  "Stream", "Bitmap", "Wave",   "Array",   "ComboEx", "Font",
    "Matrix", "Jpeg",    "Menu",   "Code",   "Object", "Break"};

}  // namespace

const char* DataKindName(int kind) {
  return kind >= 0 && kind < DataKindCount ? kKindNames[kind] : "";
}

// ---- value records ----

void SetNull(TData& d) {
  d.Kind = data_null;
  d.RedirectTo = nullptr;
  d.Next = nullptr;
}

void SetInteger(TData& d, int32_t v) {
  d.Kind = data_int;
  d.IntValue = v;
  d.RedirectTo = nullptr;
  d.Next = nullptr;
}

void SetString(TData& d, std::string_view v) {
  d.Kind = data_str;
  d.StrValue.assign(v.data(), v.size());
  d.RedirectTo = nullptr;
  d.Next = nullptr;
}

void SetString(TData& d, std::string&& v) {
  d.Kind = data_str;
  d.StrValue = std::move(v);
  d.RedirectTo = nullptr;
  d.Next = nullptr;
}

void SetReal(TData& d, double v) {
  d.Kind = data_real;
  d.RealValue = v;
  d.RedirectTo = nullptr;
  d.Next = nullptr;
}

void SetArray(TData& d, void* array) {
  d.Kind = data_array;
  d.Ref = array;
  d.IntValue = 0;
  d.RedirectTo = nullptr;
  d.Next = nullptr;
}

void SetFont(TData& d, void* font) {
  d.Kind = data_font;
  d.Ref = font;
  d.IntValue = 0;
  d.RedirectTo = nullptr;
  d.Next = nullptr;
}

void CopyValue(TData& dst, const TData& src) {
  if (&dst == &src) {
    dst.RedirectTo = nullptr;
    dst.Next = nullptr;
    return;
  }
  dst.Kind = src.Kind;
  dst.IntValue = src.IntValue;
  dst.Ref = src.Ref;
  dst.StrValue = src.StrValue;
  dst.RealValue = src.RealValue;
  dst.RedirectTo = nullptr;
  dst.Next = nullptr;
}

TData MakeInteger(int32_t v) {
  TData d;
  SetInteger(d, v);
  return d;
}

TData MakeString(std::string_view v) {
  TData d;
  SetString(d, v);
  return d;
}

TData MakeReal(double v) {
  TData d;
  SetReal(d, v);
  return d;
}

// ---- number rules ----

int32_t RoundToInt32(double v) {
  if (!std::isfinite(v)) return 0;
  double r = std::nearbyint(v);  // default rounding mode: halves to even
  // The low 32 bits of the rounded value; fmod is exact on doubles.
  double m = std::fmod(r, 4294967296.0);
  if (m < 0) m += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(m));
}

int32_t ParseInt(std::string_view s) {
  size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
    neg = s[i] == '-';
    ++i;
  }
  uint32_t acc = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
    acc = acc * 10u + static_cast<uint32_t>(s[i] - '0');
  if (neg) acc = 0u - acc;
  return static_cast<int32_t>(acc);
}

std::string FormatInt(int32_t v) {
  char buf[16];
  uint32_t u = v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  if (v < 0) *--p = '-';
  return std::string(p, buf + sizeof buf);
}

double ParseReal(std::string_view s) {
  if (s.empty()) return 0.0;
  size_t i = 0;
  bool neg = false;
  if (s[0] == '-') {
    neg = true;
    i = 1;
  }
  double value = 0.0;
  bool fraction = false;
  int k = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      if (!fraction) {
        value = value * 10.0 + (c - '0');
      } else {
        ++k;
        if (k <= 400) value += (c - '0') * std::pow(10.0, -k);
      }
    } else if (c == '.') {
      if (fraction) break;
      fraction = true;
    } else if (c == 'E' || c == 'e') {
      // Zero stays zero and an underflowing scale gives zero: never inf * 0 = NaN.
      double scale = std::pow(10.0, ParseInt(s.substr(i + 1)));
      value = (value == 0.0 || scale == 0.0) ? 0.0 : value * scale;
      break;
    }
    // every other character is skipped
  }
  return neg ? -value : value;
}

std::string FormatReal(double v) {
  if (v == 0.0) return "0";
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  bool neg = v < 0;
  // Extended precision where the platform has it, so that the scaling steps lose nothing.
  long double x = neg ? -static_cast<long double>(v) : v;
  int p = 15;
  bool stepped = false;
  while (x < 5e12L) {
    x *= 10;
    --p;
    stepped = true;
  }
  if (!stepped) {
    while (x >= 1e13L) {
      x /= 10;
      ++p;
    }
  }
  long double r = std::nearbyint(x);
  while (r < 1e14L) {
    x *= 10;
    --p;
    r = std::nearbyint(x);
  }
  if (r >= 1e15L) {  // rounding carried into a sixteenth digit
    r = std::nearbyint(r / 10);
    ++p;
  }
  std::string d = std::to_string(static_cast<long long>(r));
  std::string out;
  if (p <= 0) {
    out = "0.";
    out.append(static_cast<size_t>(-p), '0');
    out += d;
  } else if (p < 15) {
    out = d.substr(0, static_cast<size_t>(p));
    out += '.';
    out += d.substr(static_cast<size_t>(p));
  } else {
    out = d;
    out.append(static_cast<size_t>(p - 15), '0');
  }
  if (p < 15) {
    size_t end = out.size();
    while (end > 0 && out[end - 1] == '0')
      --end;
    if (end > 0 && out[end - 1] == '.') --end;
    out.resize(end);
  }
  return neg ? "-" + out : out;
}

// ---- conversions ----

int32_t ToInteger(const TData& d) {
  switch (d.Kind & ~RedirectFlag) {
    case data_int:
      return d.IntValue;
    case data_str:
      return ParseInt(d.StrValue);
    case data_real:
      return RoundToInt32(d.RealValue);
    default:
      return 0;
  }
}

std::string ToString(const TData& d) {
  switch (d.Kind & ~RedirectFlag) {
    case data_int:
      return FormatInt(d.IntValue);
    case data_str:
      return d.StrValue;
    case data_real:
      return FormatReal(d.RealValue);
    default:
      return std::string();
  }
}

double ToReal(const TData& d) {
  switch (d.Kind & ~RedirectFlag) {
    case data_real:
      return d.RealValue;
    case data_int:
      return d.IntValue;
    case data_str:
      return ParseReal(d.StrValue);
    default:
      return 0.0;
  }
}

int32_t ToIndex(const TData& d) {
  switch (d.Kind & ~RedirectFlag) {
    case data_int:
      return d.IntValue;
    case data_real:
      return RoundToInt32(d.RealValue);
    case data_str: {
      if (d.StrValue.empty()) return -1;
      int32_t n = ParseInt(d.StrValue);
      if (n == 0 && d.StrValue[0] != '0') return -1;
      return n;
    }
    default:
      return -1;
  }
}

bool ToBool(const TData& d) {
  return !((d.Kind & ~RedirectFlag) == data_int && d.IntValue == 0);
}

bool ValuesEqual(const TData& a, const TData& b) {
  if (a.Kind != b.Kind) return false;
  switch (a.Kind) {
    case data_null:
      return true;
    case data_int:
      return a.IntValue == b.IntValue;
    case data_str:
      return a.StrValue == b.StrValue;
    case data_real:
      return a.RealValue == b.RealValue;
    default:
      return false;
  }
}

// ---- chains ----

void AppendChain(TData& head, const TData* source) {
  if (head.Kind == data_null) {
    if (!source) return;
    CopyValue(head, *source);
    source = source->Next;
  }
  TData* last = &head;
  while (last->Next)
    last = last->Next;
  while (source && source->Kind != data_null) {
    TData* node = new TData;
    CopyValue(*node, *source);
    last->Next = node;
    last = node;
    source = source->Next;
  }
}

void FreeChain(TData& head) {
  TData* p = head.Next;
  head.Next = nullptr;
  while (p) {
    TData* n = p->Next;
    delete p;
    p = n;
  }
}

void PopValue(TData& d) {
  if (d.Next) {
    TData* n = d.Next;
    d = *n;  // value and its Next; the node itself stays owned by the chain's builder
  } else {
    d.Kind = data_null;
  }
}
