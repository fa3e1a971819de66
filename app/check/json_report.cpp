#include "app/check/json_report.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0.
size_t Utf8Length(std::string_view s, size_t i) {
  auto c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return 0;
  auto next = static_cast<unsigned char>(n > 1 ? s[i + 1] : 0);
  if (n == 2 && c < 0xC2) return 0;  // overlong
  if (n == 3 && ((c == 0xE0 && next < 0xA0) || (c == 0xED && next >= 0xA0))) return 0;
  if (n == 4 && ((c == 0xF0 && next < 0x90) || c > 0xF4 || (c == 0xF4 && next >= 0x90))) return 0;
  return n;
}

std::string Field(std::string_view name, const std::string& value) {
  return JsonString(name) + ":" + value;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
      ++i;
    } else if (size_t n = Utf8Length(text, i)) {
      out.append(text.substr(i, n));
      i += n;
    } else {
      out += "\\ufffd";
      ++i;
    }
  }
  return out + "\"";
}

std::string JsonReport(const TFindings& findings, const std::vector<TListTable>& lists,
                       const TTexts* english) {
  std::string j = "{\"findings\":[";
  bool first = true;
  for (const TFinding& f : findings.All()) {
    j += first ? "\n  {" : ",\n  {";
    first = false;
    j += Field("file", JsonString(f.File)) + "," + Field("line", std::to_string(f.Line)) + "," +
         Field("severity", JsonString(f.Error ? "error" : "warning")) + "," +
         Field("text", JsonString(f.Text)) + "}";
  }
  j += "],\n\"lists\":[";
  first = true;
  for (const TListTable& t : lists) {
    j += first ? "\n  {" : ",\n  {";
    first = false;
    const char* sex = t.List.Sex == 1 ? "male" : t.List.Sex == 2 ? "female" : "any";
    j += Field("question", std::to_string(t.List.Question)) + "," +
         Field("gender", JsonString(sex)) + "," + Field("caption", JsonString(t.List.Caption)) +
         "," + Field("title", JsonString(ListTitle(t.List, english))) + ",\"answers\":[";
    for (size_t a = 0; a < t.Answers.size(); ++a) {
      const TAnswerRow& row = t.Answers[a];
      j += (a ? ",\n    {" : "\n    {") + Field("answer", std::to_string(row.Answer)) + "," +
           Field("key", JsonString(row.Key)) + "," +
           Field("text", JsonString(CaptionText(row.Key, english))) + ",\"effects\":[";
      for (size_t e = 0; e < row.Effects.size(); ++e)
        j += std::string(e ? "," : "") + "{" + Field("code", std::to_string(row.Effects[e].Code)) +
             "," + Field("name", JsonString(CodeName(row.Effects[e].Code, english))) + "," +
             Field("amount", std::to_string(row.Effects[e].Amount)) + "}";
      j += "]}";
    }
    j += "]}";
  }
  return j + "]}\n";
}
