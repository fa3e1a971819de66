// The private-profile ini text layer on arbitrary bytes: any key can be read; a key written into
// any text reads back, and every line of the text other than the key's own survives byte for
// byte (only the last line may gain the line end it lacked).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_text.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

// Lines with their line ends (LF, CR LF or a lone CR); a UTF-8 byte order mark stays in line 0.
std::vector<std::string_view> Tokens(std::string_view t) {
  std::vector<std::string_view> out;
  size_t p = 0;
  while (p < t.size()) {
    size_t e = t.find_first_of("\r\n", p);
    if (e == std::string_view::npos) {
      out.push_back(t.substr(p));
      break;
    }
    size_t next = (t[e] == '\r' && e + 1 < t.size() && t[e + 1] == '\n') ? e + 2 : e + 1;
    out.push_back(t.substr(p, next - p));
    p = next;
  }
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool HasEnd(std::string_view line) {
  return !line.empty() && (line.back() == '\n' || line.back() == '\r');
}

// The value a written value reads back as: cut at a zero byte, trimmed, one pair of quotes off.
std::string ReadBackOf(std::string_view v) {
  v = Trim(os::profile::CutAtZero(v));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(os::profile::CutAtZero(v));
}

void CheckUpdate(std::string_view text, std::string_view section, std::string_view key,
                 std::string_view value) {
  key = Trim(os::profile::CutAtZero(key));
  std::string updated = os::profile::Update(text, section, key, value);
  std::optional<std::string> back = os::profile::Lookup(updated, section, key);
  Check(back.has_value(), "a written key is missing");
  Check(*back == ReadBackOf(value), "a written key reads back another value");

  std::vector<std::string_view> a = Tokens(text), b = Tokens(updated);
  size_t pre = 0;
  while (pre < a.size() && pre < b.size() && a[pre] == b[pre])
    ++pre;
  size_t suf = 0;
  while (suf < a.size() - pre && suf < b.size() - pre &&
         a[a.size() - 1 - suf] == b[b.size() - 1 - suf])
    ++suf;
  size_t changedOld = a.size() - pre - suf;
  Check(changedOld <= 1, "more than one existing line changed");
  if (changedOld == 1) {
    std::string_view old = a[pre];
    std::string_view now = b[pre];
    bool lastGainsEnd = pre + 1 == a.size() && !HasEnd(old) && now.substr(0, old.size()) == old;
    // Otherwise it is the key's own line: same blanks in front of the key, same line end.
    size_t lead = 0;
    while (lead < old.size() && (old[lead] == ' ' || old[lead] == '\t'))
      ++lead;
    bool keyLine = now.substr(0, lead) == old.substr(0, lead) &&
                   os::profile::EqualNoCase(Trim(now.substr(lead, key.size())), key);
    if (pre == 0 && old.substr(0, 3) == "\xEF\xBB\xBF")
      keyLine = keyLine || now.substr(0, 3) == "\xEF\xBB\xBF";
    Check(lastGainsEnd || keyLine, "a line other than the key's changed");
  }
  // At most a blank-free new section header and the key line are added.
  Check(b.size() - (a.size() - changedOld) <= 3, "too many lines added");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::string section = in.ConsumeRandomLengthString(64);
  std::string key = in.ConsumeRandomLengthString(64);
  std::string value = in.ConsumeRandomLengthString(256);
  std::string text = in.ConsumeRemainingBytesAsString();

  std::optional<std::string> v = os::profile::Lookup(text, section, key);
  if (v) Check(v->find('\0') == std::string::npos, "a value read holds a zero byte");

  if (os::profile::CanWrite(section, key, value)) {
    CheckUpdate(text, section, key, value);
    // A key taken from the text itself, in the section of its first line.
    std::vector<std::string_view> lines = Tokens(text);
    if (!lines.empty()) {
      std::string_view l = lines[lines.size() / 2];
      std::string k(Trim(l.substr(0, l.find_first_of("=\r\n"))));
      if (os::profile::CanWrite(section, k, value)) CheckUpdate(text, section, k, value);
    }
  } else {
    // Refused: holds a line break, or is a name that cannot be written as one.
    std::string_view s = os::profile::CutAtZero(section), k = Trim(os::profile::CutAtZero(key)),
                     val = os::profile::CutAtZero(value);
    bool broken = s.find_first_of("\r\n]") != s.npos || k.find_first_of("\r\n=") != k.npos ||
                  val.find_first_of("\r\n") != val.npos || k.empty() || k[0] == '[' || k[0] == ';';
    Check(broken, "a plain key was refused");
  }
  return 0;
}
