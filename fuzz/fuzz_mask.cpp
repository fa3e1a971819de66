// The file-mask matcher against a plain dynamic-programming matcher, on arbitrary names and masks.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "elements/filesearch.h"

namespace {

bool Reference(const std::string& name, const std::string& mask) {
  // ok[j] : name[0..i) matches mask[0..j)
  std::vector<char> ok(mask.size() + 1, 0), next(mask.size() + 1, 0);
  ok[0] = 1;
  for (size_t j = 1; j <= mask.size(); ++j)
    ok[j] = ok[j - 1] && mask[j - 1] == '*';
  for (size_t i = 1; i <= name.size(); ++i) {
    char c = name[i - 1];
    next[0] = 0;
    for (size_t j = 1; j <= mask.size(); ++j) {
      char m = mask[j - 1];
      if (m == '*')
        next[j] = next[j - 1] || ok[j];
      else if (m == '?')
        next[j] = ok[j - 1];
      else if (m == '#')
        next[j] = ok[j - 1] && c >= '0' && c <= '9';
      else
        next[j] = ok[j - 1] && c == m;
    }
    ok.swap(next);
  }
  return ok[mask.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::string mask = in.ConsumeRandomLengthString(512);
  std::string name = in.ConsumeRemainingBytesAsString();
  if (name.size() > 4096) name.resize(4096);
  std::string lowName = LowerAscii(name), lowMask = LowerAscii(mask);
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    char want = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    if (lowName[i] != want) std::abort();
  }
  if (MatchMask(lowName, lowMask) != Reference(lowName, lowMask)) {
    std::fprintf(stderr, "MatchMask differs from the reference\n");
    std::abort();
  }
  return 0;
}
