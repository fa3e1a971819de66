#include "app/share_link.h"

#include <cstdio>

#include "app/sheet.h"
#include "app/sheet_input.h"

namespace {

std::string AnswerName(int question, int answer) {
  return "q" + std::to_string(question + 1) + "." + std::to_string(answer);
}

}  // namespace

std::string AnswerFragment(const TAnswers& answers) {
  for (int a : answers)
    if (a != 0) return "a=" + FormatAnswerCode(answers);
  return {};
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
  bool opened = true;
  for (int q = 0; q < static_cast<int>(answers.size()) && opened; ++q) {
    int k = answers[static_cast<size_t>(q)];
    if (k == 0) continue;
    TControl* c = sheet.Find(AnswerName(q, k));
    if (c && c->Showing() && c->Enabled()) {
      input.Click(*c);
      if (c->Checked()) continue;
    }
    if (TControl* clear = sheet.Find("clear")) input.Click(*clear);
    opened = false;
  }
  // Nobody's mouse is on the last answer: it crosses the form, which ends any preview, and
  // leaves the sheet.
  input.MoveTo(sheet.Form(), TSheet::RestX, TSheet::RestY);
  input.Leave();
  return opened;
}

bool OpenAnswerCode(TSheet& sheet, TSheetInput& input, std::string_view code,
                    std::string_view program, std::string* message) {
  std::optional<TAnswers> answers = ParseAnswerCode(code);
  if (answers && OpenAnswers(sheet, input, *answers)) return true;
  std::string shown;
  for (char ch : code.substr(0, 40))
    shown += static_cast<unsigned char>(ch) < 0x20 ? '?' : ch;
  if (shown.size() < code.size()) shown += "...";
  std::string why =
      answers ? "names an answer the data does not have"
              : "is not " + std::to_string(sheet::Questions) + " answer numbers joined by dots";
  std::string line = std::string(program) + ": answer code \"" + shown + "\" " + why +
                     "; the sheet starts unanswered\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  if (message) *message = line;
  return false;
}
