#include "scheme/sheet_keys.h"

#include <algorithm>

#include "scheme/choice_loader.h"
#include "scheme/main_form.h"
#include "scheme/question_groups.h"
#include "scheme/result_boxes.h"
#include "scheme/settings_panel.h"
#include "scheme/sheet_counts.h"

namespace {
using sheet::Questions;
constexpr int Boxes = sheet::ResultBoxes;

void AddOnce(std::vector<std::string_view>& keys, std::string_view key) {
  if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
}
}  // namespace

std::vector<std::string_view> SheetCaptionKeys() {
  std::vector<std::string_view> keys;
  AddOnce(keys, ClearKey);
  AddOnce(keys, SettingsKey);
  for (int q = 1; q <= Questions; ++q) {
    const TQuestionLayout& layout = QuestionLayout(q);
    AddOnce(keys, layout.Caption);
    AddOnce(keys, UnknownAnswerKey);
    for (std::string_view key : layout.Answers)
      AddOnce(keys, key);
  }
  for (int b = 0; b < Boxes; ++b) {
    const TResultBoxLayout& layout = ResultBoxLayout(b);
    AddOnce(keys, layout.Caption);
    for (const TResultRow& row : layout.Rows)
      AddOnce(keys, row.Key);
  }
  AddOnce(keys, ExitKey);
  AddOnce(keys, LocalizationKey);
  AddOnce(keys, RestartKey);
  AddOnce(keys, NotSavedKey);
  return keys;
}

TAnswerList AnswerListOfBlock(int block) {
  TAnswerList list;
  if (block < 0 || block >= choice_format::Blocks) return list;
  const int command = choice_format::FirstLineCommand + block;
  for (int q = 1; q <= Questions; ++q) {
    const TQuestionLayout& layout = QuestionLayout(q);
    const bool bySex = layout.Kind == TQuestionLayout::BySex;
    if (layout.LineCommand == command)
      list.Sex = bySex ? 1 : 0;
    else if (bySex && layout.LineCommand + 1 == command)
      list.Sex = 2;
    else
      continue;
    list.Question = q;
    list.Caption = layout.Caption;
    list.Answers.push_back(UnknownAnswerKey);
    list.Answers.insert(list.Answers.end(), layout.Answers.begin(), layout.Answers.end());
    break;
  }
  return list;
}

std::string_view LabelKeyOfCode(int32_t code) {
  for (int b = 0; b < Boxes; ++b)
    for (const TResultRow& row : ResultBoxLayout(b).Rows)
      if (row.Id == code) return row.Key;
  return {};
}
