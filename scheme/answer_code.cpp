#include "scheme/answer_code.h"

namespace {

// The code part of text: after its "#", then after a leading "a=" (required after "#").
std::string_view CodePart(std::string_view text) {
  size_t hash = text.rfind('#');
  if (hash != std::string_view::npos) {
    text.remove_prefix(hash + 1);
    if (text.substr(0, 2) != "a=") return {};
  }
  if (text.substr(0, 2) == "a=") text.remove_prefix(2);
  return text;
}

// The decimal number at the start of s (removed from s); false unless 1 to 3 digits.
bool TakeNumber(std::string_view& s, int& value) {
  size_t digits = 0;
  value = 0;
  while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9') {
    if (++digits > AnswerCodeDigits) return false;
    value = value * 10 + (s[digits - 1] - '0');
  }
  s.remove_prefix(digits);
  return digits > 0;
}

std::string_view TrimBlanks(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && blank(s.back()))
    s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<TAnswers> FindAnswerCode(std::string_view text) {
  if (text.size() > PastedTextMax) return std::nullopt;
  text = TrimBlanks(text);
  if (auto whole = ParseAnswerCode(text)) return whole;
  while (!text.empty()) {
    size_t end = text.find_last_of('\n');
    std::string_view line = end == std::string_view::npos ? text : text.substr(end + 1);
    if (auto found = ParseAnswerCode(TrimBlanks(line))) return found;
    text = end == std::string_view::npos ? std::string_view() : text.substr(0, end);
  }
  return std::nullopt;
}

std::optional<TAnswers> ParseAnswerCode(std::string_view text) {
  std::string_view s = CodePart(text);
  TAnswers a{};
  for (size_t q = 0; q < a.size(); ++q) {
    if (q > 0) {
      if (s.empty() || s.front() != '.') return std::nullopt;
      s.remove_prefix(1);
    }
    if (!TakeNumber(s, a[q])) return std::nullopt;
  }
  if (!s.empty()) return std::nullopt;
  return a;
}

std::string FormatAnswerCode(const TAnswers& answers) {
  std::string code;
  for (size_t q = 0; q < answers.size(); ++q)
    code += (q ? "." : "") + std::to_string(answers[q]);
  return code;
}
