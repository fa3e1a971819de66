#include "app/sheet_text.h"

#include "app/share_link.h"
#include "app/sheet.h"

namespace {

// A window's text on one line: CR, LF and CR LF become one space each.
std::string OneLine(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
  }
  return out;
}

std::string QuestionLines(const TSheet& sheet) {
  std::string out;
  for (const TSheetQuestion& q : sheet.Questions()) {
    std::string answer;
    for (const TControl* a : q.Answers)
      if (a->Checked()) answer = OneLine(a->Text());
    out += OneLine(q.Frame->Text()) + ": " + answer + "\n";
  }
  return out;
}

// The box's caption and its changed rows; empty when no row changed.
std::string BoxLines(const TSheetBox& box) {
  std::string rows;
  for (size_t k = 0; k < box.Values.size(); ++k) {
    const std::string& value = box.Values[k]->Text();
    if (k < box.Unanswered.size() && value == box.Unanswered[k]) continue;
    rows += "  " + OneLine(box.Names[k]->Text()) + ": " + OneLine(value) + "\n";
  }
  return rows.empty() ? rows : OneLine(box.Frame->Text()) + "\n" + rows;
}

}  // namespace

std::string SheetText(const TSheet& sheet, std::string_view address) {
  std::string boxes;
  for (const TSheetBox& box : sheet.Boxes())
    boxes += BoxLines(box);
  std::string out = QuestionLines(sheet) + "\n";
  if (!boxes.empty()) out += boxes + "\n";
  std::string code = FormatAnswerCode(CheckedAnswers(sheet));
  out += code + "\n";
  if (!address.empty()) out += std::string(address) + "#a=" + code + "\n";
  return out;
}
