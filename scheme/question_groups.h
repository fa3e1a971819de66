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
  THIGroupBox* Frame = nullptr;          // the titled frame; its window holds the answers
  THIEditMulti* Edit = nullptr;          // the boundary: work point 0 in, event points 0 and 1 out
  std::vector<THIRadioButton*> Answers;  // answer k's button: hover and pick as index k
  THIChanelToIndex* HoverIndex = nullptr;   // the hovered answer's index, on each mouse move
  THIChanelToIndex* PickIndex = nullptr;    // the picked answer's index, when one is selected
  THIMemory* Chosen = nullptr;              // questions 2 .. 5: the committed answer
  THIStrList* Lines = nullptr;              // questions 1, 3, 5: the stored answer lines
  THIStrList* MaleLines = nullptr;          // questions 2, 4: the lines for a male hero
  THIStrList* FemaleLines = nullptr;        // questions 2, 4: the lines for a female hero
  THIMultiElement* Effects = nullptr;       // answer k in: 0 preview, 2 apply; box labels out
  THIMultiElement* Highlight = nullptr;     // 0 bolds caption k, 1 makes all regular
  THIMT_ChanelToIndex* Report = nullptr;    // channel + values into one report chain
  THIMT_IndexToChanel* Commands = nullptr;  // the command chain, split by its command number
  THIHub* InHub = nullptr;                  // a command chain: handled, then passed on
  THIDoData* Resend = nullptr;              // the remembered answer (question 1: gender), to apply
  THIHub* HoverHub = nullptr;               // report and highlight (question 1: and the preview)
  THIHub* PreviewHub = nullptr;             // questions 2 .. 5: the two above, then the preview
  THIHub* PickHub = nullptr;                // question 1: store the gender, then report the commit
  THIGlobalVar* Gender = nullptr;        // questions 1, 2, 4: "gender", 0 unknown, 1 male, 2 female
  THIMath* SexToList = nullptr;          // questions 2, 4: gender - 1, the index of its list
  THIGetIndexData* ListBySex = nullptr;  // questions 2, 4: the lines of the gender
  THIHub* ApplyHub = nullptr;            // questions 1, 2, 4: re-apply in steps
  THIIf_else* UnknownTest = nullptr;     // question 1: is answer 0 checked?
  THIDoData* SendZero = nullptr;         // question 1: applies answer 0 once a gender is chosen

  // Builds question 1 .. 5 from its layout (make function: MakeSubSchemeOf<TQuestionGroup, N>).
  TQuestionGroup(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container,
                 int question);

 private:
  TQuestionGroup(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container,
                 const TQuestionLayout& layout);

  // Creation steps, in creation order; each kind's own elements are wired where they are made.
  void BuildAnswers(TControl* parentWindow, THIMultiElement* container,
                    const TQuestionLayout& layout);
  void BuildLineLists(const TQuestionLayout& layout);
  void BuildRouting(TControl* parentWindow, const TQuestionLayout& layout);
  void BuildGenderAnswer();                            // question 1
  void BuildRememberedAnswer();                        // questions 2 .. 5
  void BuildListBySex(const TQuestionLayout& layout);  // questions 2, 4
  // The links shared by the kinds.
  void WireOneList(const TQuestionLayout& layout);  // questions 1, 3, 5
  void WireHover();
  void WireReports();
  void WireCommands();
  void WireFonts();
};
