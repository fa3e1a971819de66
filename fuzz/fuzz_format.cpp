// THIFormatStr's rule on arbitrary masks and arguments: checked against a plain model of the
// rule wherever the model's result stays small, and bounded in size everywhere.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "elements/formatstr.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

// The rule step by step: "%%" -> zero byte; each %n not followed by a digit -> byte 1 + arg;
// then byte 1 removed and zero bytes turned into "%". Gives up (false) past limit bytes.
bool Model(const std::string& mask, const std::vector<std::string>& args, size_t limit,
           std::string& out) {
  std::string r;
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == '%' && i + 1 < mask.size() && mask[i + 1] == '%') {
      r.push_back('\0');
      ++i;
    } else {
      r.push_back(mask[i]);
    }
  }
  for (size_t n = 0; n < args.size(); ++n) {
    std::string place = "%" + std::to_string(n + 1);
    size_t from = 0;
    for (;;) {
      size_t at = r.find(place, from);
      if (at == std::string::npos) break;
      size_t after = at + place.size();
      if (after < r.size() && r[after] >= '0' && r[after] <= '9') {
        from = after;
        continue;
      }
      r.replace(at, place.size(), "\1" + args[n]);
      if (r.size() > limit) return false;
      from = at + 1 + args[n].size();
    }
  }
  out.clear();
  for (char c : r)
    if (c != '\1') out.push_back(c == '\0' ? '%' : c);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  size_t count = in.ConsumeIntegralInRange<size_t>(0, 12);
  std::string mask = in.ConsumeRandomLengthString(4096);
  std::vector<std::string> args;
  size_t total = mask.size();
  for (size_t i = 0; i < count; ++i) {
    args.push_back(in.ConsumeRandomLengthString(4096));
    total += args.back().size();
  }

  std::string got = FormatMask(mask, args);
  // Whatever the texts, the result stays within a small multiple of them, plus one argument
  // for each placeholder the mask itself holds.
  size_t longest = 0;
  for (const std::string& a : args)
    longest = std::max(longest, a.size());
  size_t own = static_cast<size_t>(std::count(mask.begin(), mask.end(), '%'));
  Check(got.size() <= 4 * (total + 4096) + own * (longest + 1),
        "result out of proportion to the texts");

  std::string want;
  if (Model(mask, args, 2 * total + 1024, want))
    Check(got == want, "result differs from the model");
  return 0;
}
