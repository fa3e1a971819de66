// The page's own input: the ?data= address check, the data-pair check and the URL fragment's
// answer code. A taken address must stay on the page's site and be a clean folder address; a
// parsed fragment must read back from its own code; bytes after a NUL never change a pair.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/page_input.h"
#include "scheme/answer_code.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

// "scheme://authority" of the page as a browser reads it, or "" when it has none.
std::string_view Authority(std::string_view page) {
  size_t sep = page.find("://");
  if (sep == std::string_view::npos) return {};
  size_t end = page.find_first_of("/?#\\", sep + 3);
  return page.substr(0, end == std::string_view::npos ? page.size() : end);
}

void FuzzAddress(std::string_view page, std::string_view param) {
  TDataAddress a = CheckDataAddress(page, param);
  if (param.empty()) {
    Check(a.Folder.empty() && a.Refusal.empty(), "an answer without a parameter");
    return;
  }
  Check(a.Folder.empty() != a.Refusal.empty(), "neither or both a folder and a refusal");
  if (!a.Refusal.empty()) {
    Check(!PageMessage(a.Refusal).empty(), "a refusal without a message");
    return;
  }
  std::string_view origin = Authority(page);
  Check(!origin.empty() && a.Folder.size() > origin.size(), "a folder from a page without a site");
  Check(a.Folder.compare(0, origin.size(), origin) == 0, "a folder off the page's site");
  Check(a.Folder[origin.size()] == '/', "a folder whose site is longer than the page's");
  Check(a.Folder.back() == '/', "a folder not ending in a slash");
  for (char c : a.Folder.substr(origin.size()))
    Check(static_cast<unsigned char>(c) > 0x20 && c != '\\' && c != '?' && c != '#' && c != 0x7f,
          "a folder with a character browsers read otherwise");
}

void FuzzFragment(std::string_view text) {
  if (std::optional<TAnswers> a = ParseAnswerCode(text)) {
    for (int n : *a)
      Check(n >= 0 && n <= 999, "an answer outside three digits");
    std::optional<TAnswers> back = ParseAnswerCode("a=" + FormatAnswerCode(*a));
    Check(back && *back == *a, "a code that does not read back");
  }
  FindAnswerCode(text);
}

void FuzzPair(std::string_view choice, std::string_view array) {
  bool data = IsDataPair(choice, array);
  if (choice.find('\0') == std::string_view::npos && array.find('\0') == std::string_view::npos) {
    std::string c(choice), a(array);
    c += std::string_view("\0-- choice\n-- end\n", 18);
    a += std::string_view("\0=", 2);
    Check(IsDataPair(c, a) == data, "bytes after a NUL changed a pair");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view whole(reinterpret_cast<const char*>(data), size);
  FuzzFragment(whole);
  FuzzedDataProvider in(data, size);
  std::string page = in.ConsumeRandomLengthString(512);
  std::string param = in.ConsumeRandomLengthString(4096);
  FuzzAddress(page, param);
  std::string choice = in.ConsumeRandomLengthString(4096);
  FuzzPair(choice, in.ConsumeRemainingBytesAsString());
  return 0;
}
