// The number rules on arbitrary text: ParseInt against a 64-bit reference, ParseReal never
// giving NaN, FormatReal giving plain digits that read back as the same number.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/data.h"

namespace {

void Fail(const char* what, std::string_view input) {
  std::fprintf(stderr, "%s (input of %zu bytes)\n", what, input.size());
  std::abort();
}

int32_t ReferenceInt(std::string_view s) {
  size_t i = 0;
  bool neg = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) neg = s[i++] == '-';
  uint64_t acc = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9')
    acc = (acc * 10 + (s[i++] - '0')) & 0xFFFFFFFFu;
  if (neg) acc = (0x100000000ull - acc) & 0xFFFFFFFFu;
  return static_cast<int32_t>(static_cast<uint32_t>(acc));
}

// "0", "NAN", "INF", "-INF", or [-]digits[.digits] without trailing zeros in the fraction.
bool PlainNumber(const std::string& s) {
  if (s == "NAN" || s == "INF" || s == "-INF") return true;
  size_t i = s.size() > 0 && s[0] == '-' ? 1 : 0;
  size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9')
    ++i, ++digits;
  if (digits == 0) return false;
  if (i == s.size()) return true;
  if (s[i] != '.') return false;
  size_t frac = 0;
  for (++i; i < s.size(); ++i, ++frac)
    if (s[i] < '0' || s[i] > '9') return false;
  return frac > 0 && s.back() != '0';
}

void CheckFormat(double v, std::string_view input) {
  std::string text = FormatReal(v);
  if (!PlainNumber(text)) Fail("FormatReal gave a malformed text", input);
  // The longest: a sign, "0.", 323 zeros and 15 digits (the smallest denormals).
  if (text.size() > 341) Fail("FormatReal gave an overlong text", input);
  if (std::isnan(v) || std::isinf(v)) return;
  double back = ParseReal(text);
  // 15 significant digits; the reader's own rounding adds a little. Near the largest double
  // the rounded text lies beyond it and reads back as infinite.
  if (std::fabs(v) > 1e-290 && std::fabs(v) < 1e308 && std::fabs(back - v) > std::fabs(v) * 1e-12)
    Fail("FormatReal does not read back", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view s(reinterpret_cast<const char*>(data), size);

  if (ParseInt(s) != ReferenceInt(s)) Fail("ParseInt differs from the reference", s);
  TData text = MakeString(s);
  int32_t index = ToIndex(text);
  if (s.empty() && index != -1) Fail("ToIndex of the empty text", s);

  double r = ParseReal(s);
  if (std::isnan(r)) Fail("ParseReal gave NaN", s);
  CheckFormat(r, s);
  (void)RoundToInt32(r);

  // The bytes themselves as a double: every bit pattern, NaN and denormals included.
  if (size >= 8) {
    double v;
    std::memcpy(&v, data, 8);
    CheckFormat(v, s);
    int32_t n = RoundToInt32(v);
    if (std::isfinite(v) && std::fabs(v) < 2e9 && n != static_cast<int32_t>(std::nearbyint(v)))
      Fail("RoundToInt32 differs in range", s);
  }
  return 0;
}
