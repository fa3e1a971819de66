// The five question groups: a titled frame with one radio button per answer (answer 0 is the
// unanswered "ch_unknown"), the remembered answer, the answer lines of the question and the
// answer-effects and highlight sub-schemes.
//
// Work point 0: a command chain [command, arguments...]: 0 regular captions, 1 back to answer 0,
// 2 re-apply the remembered answer, 3 .. 9 store a line in the list that owns the number.
// Event point 0: a report chain [channel, values...]: 0 answer committed, 1 mouse over an answer,
// 2 .. 5 the preview label indexes of the four result boxes.
// Event point 1: the command chain, passed on after the group handled it.
#pragma once

#include <string_view>
#include <vector>

#include "scheme/build.h"
#include "scheme/build_ui.h"

// What tells the five groups apart.
struct TQuestionLayout {
  enum TKind : uint8_t {
    Gender,  // question 1: writes "gender", applies answer 0 with a chosen gender
    BySex,   // questions 2 and 4: a male and a female list, picked by "gender"
    Single,  // questions 3 and 5: one list
  };
  TKind Kind;
  build::TRect Frame;
  std::string_view Caption;
  std::vector<std::string_view> Answers;  // caption keys after "ch_unknown"
  int32_t ButtonWidth;
  int32_t CommandCount;
  int32_t LineCommand;    // the list's (Gender, Single) or the male list's line command
  std::string_view File;  // the list's (Gender, Single) or the male list's file name
  std::string_view FemaleFile;
};

// The caption key of answer 0 of every question.
inline constexpr std::string_view UnknownAnswerKey = "ch_unknown";
// The layout of question 1 .. 5 (others give question 1's).
const TQuestionLayout& QuestionLayout(int question);

class TQuestionGroup : public TSubScheme {
 public:
  THIGroupBox* Frame = nullptr;
  THIEditMulti* Edit = nullptr;
  std::vector<THIRadioButton*> Answers;
  THIChanelToIndex* HoverIndex = nullptr;
  THIChanelToIndex* PickIndex = nullptr;
  THIMemory* Chosen = nullptr;  // questions 2 .. 5
  THIStrList* Lines = nullptr;  // questions 1, 3, 5
  THIStrList* MaleLines = nullptr;
  THIStrList* FemaleLines = nullptr;
  THIMultiElement* Effects = nullptr;
  THIMultiElement* Highlight = nullptr;
  THIMT_ChanelToIndex* Report = nullptr;
  THIMT_IndexToChanel* Commands = nullptr;
  THIHub* InHub = nullptr;
  THIDoData* Resend = nullptr;
  THIHub* HoverHub = nullptr;      // report and highlight (question 1: and the preview)
  THIHub* PreviewHub = nullptr;    // questions 2 .. 5: the two above, then the preview
  THIHub* PickHub = nullptr;       // question 1
  THIGlobalVar* Gender = nullptr;  // questions 1, 2, 4
  THIMath* SexToList = nullptr;
  THIGetIndexData* ListBySex = nullptr;
  THIHub* ApplyHub = nullptr;  // questions 1, 2, 4
  THIIf_else* UnknownTest = nullptr;
  THIDoData* SendZero = nullptr;

  // Builds question 1 .. 5 from its layout (make function: MakeSubSchemeOf<TQuestionGroup, N>).
  TQuestionGroup(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container,
                 int question);

 private:
  TQuestionGroup(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container,
                 const TQuestionLayout& layout);
};
