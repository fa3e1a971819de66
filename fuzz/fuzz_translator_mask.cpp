// The translator's own file-name mask (the "*.lng" listing of the language folder: '*' and '?'
// only, ASCII letters without case) against a plain dynamic-programming matcher.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "elements/translator.h"

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool Reference(const std::string& name, const std::string& mask) {
  // ok[j]: the name so far matches mask[0..j)
  std::vector<char> ok(mask.size() + 1, 0), next(mask.size() + 1, 0);
  ok[0] = 1;
  for (size_t j = 1; j <= mask.size(); ++j)
    ok[j] = ok[j - 1] && mask[j - 1] == '*';
  for (char c : name) {
    next[0] = 0;
    for (size_t j = 1; j <= mask.size(); ++j) {
      char m = mask[j - 1];
      if (m == '*')
        next[j] = next[j - 1] || ok[j];
      else if (m == '?')
        next[j] = ok[j - 1];
      else
        next[j] = ok[j - 1] && Lower(c) == Lower(m);
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
  for (const std::string& m : {mask, std::string("*.lng")}) {
    if (MatchesMask(name, m) != Reference(name, m)) {
      std::fprintf(stderr, "MatchesMask differs from the reference\n");
      std::abort();
    }
  }
  return 0;
}
