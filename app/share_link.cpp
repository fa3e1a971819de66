#include "app/share_link.h"

#include "app/sheet.h"
#include "app/sheet_input.h"

namespace {

std::string AnswerName(int question, int answer) {
  return "q" + std::to_string(question + 1) + "." + std::to_string(answer);
}

}  // namespace

std::optional<TAnswers> ParseAnswers(std::string_view f) {
  if (!f.empty() && f.front() == '#') f.remove_prefix(1);
  if (f.substr(0, 2) != "a=") return std::nullopt;
  f.remove_prefix(2);
  TAnswers a{};
  for (size_t q = 0; q < a.size(); ++q) {
    size_t digits = 0;
    int value = 0;
    while (digits < f.size() && f[digits] >= '0' && f[digits] <= '9') {
      if (++digits > 3) return std::nullopt;
      value = value * 10 + (f[digits - 1] - '0');
    }
    if (digits == 0) return std::nullopt;
    a[q] = value;
    f.remove_prefix(digits);
    bool last = q + 1 == a.size();
    if (last ? !f.empty() : (f.empty() || f.front() != '.')) return std::nullopt;
    if (!last) f.remove_prefix(1);
  }
  return a;
}

std::string FormatAnswers(const TAnswers& answers) {
  bool any = false;
  for (int a : answers)
    any = any || a != 0;
  if (!any) return {};
  std::string f = "a=";
  for (size_t q = 0; q < answers.size(); ++q)
    f += (q ? "." : "") + std::to_string(answers[q]);
  return f;
}

TAnswers CheckedAnswers(const TSheet& sheet) {
  TAnswers a{};
  for (int q = 0; q < static_cast<int>(a.size()); ++q)
    for (int k = 0;; ++k) {
      TControl* c = sheet.Find(AnswerName(q, k));
      if (!c) break;
      if (c->Checked()) {
        a[static_cast<size_t>(q)] = k;
        break;
      }
    }
  return a;
}

bool OpenAnswers(TSheet& sheet, TSheetInput& input, const TAnswers& answers) {
  for (int q = 0; q < static_cast<int>(answers.size()); ++q) {
    int k = answers[static_cast<size_t>(q)];
    if (k == 0) continue;
    TControl* c = sheet.Find(AnswerName(q, k));
    if (c && c->Showing() && c->Enabled()) {
      input.Click(*c);
      if (c->Checked()) continue;
    }
    if (TControl* clear = sheet.Find("clear")) input.Click(*clear);
    return false;
  }
  return true;
}
