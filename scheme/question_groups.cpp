#include "scheme/question_groups.h"

#include "scheme/answer_effects.h"
#include "scheme/highlight.h"
#include "scheme/sheet_counts.h"

using build::ContainerWork;
using build::ParentEvent;

namespace {

THI_Event ReportChannel(THIMT_ChanelToIndex* report, uint16_t channel) {
  return MakeEvent<&THIMT_ChanelToIndex::doEvent>(report, channel);
}

}  // namespace

TQuestionGroup::TQuestionGroup(TControl* parentWindow, TScheme* parentScheme,
                               THIMultiElement* container, const TQuestionLayout& layout)
    : TSubScheme(parentScheme) {
  BuildAnswers(parentWindow, container, layout);
  BuildLineLists(layout);
  BuildRouting(parentWindow, layout);
  switch (layout.Kind) {
    case TQuestionLayout::Gender:
      BuildGenderAnswer();
      WireOneList(layout);
      break;
    case TQuestionLayout::BySex:
      BuildRememberedAnswer();
      BuildListBySex(layout);
      break;
    case TQuestionLayout::Single:
      BuildRememberedAnswer();
      WireOneList(layout);
      // Re-apply: the remembered answer.
      Commands->onEvent[2] = MakeEvent<&THIDoData::doData>(Resend);
      break;
  }
  WireHover();
  WireReports();
  WireCommands();
  WireFonts();

  // Nested sub-schemes.
  Effects->SetMake(&MakeSubScheme<TAnswerEffects>);
  Highlight->SetMake(&MakeSubScheme<THighlight>);
}

void TQuestionGroup::BuildAnswers(TControl* parentWindow, THIMultiElement* container,
                                  const TQuestionLayout& layout) {
  const TFontRec font = build::SansSerif(8, 0, 0, 1);
  const int buttons = static_cast<int>(layout.Answers.size()) + 1;

  // The frame first; the answers live in its window.
  Frame = build::GroupBox(*this, parentWindow, layout.Frame, font, build::Tr(layout.Caption));
  Edit = MakeBoundary(container, 1);
  for (int k = 0; k < buttons; ++k) {
    std::string_view key = k == 0 ? UnknownAnswerKey : layout.Answers[static_cast<size_t>(k - 1)];
    Answers.push_back(build::RadioButton(*this, Frame->Control,
                                         {5, 15 + 15 * k, layout.ButtonWidth, 16}, font,
                                         build::Tr(key), k == 0 ? 0 : 1));
  }
  HoverIndex = build::ChanelToIndex(*this, buttons);
  PickIndex = build::ChanelToIndex(*this, buttons);
}

void TQuestionGroup::BuildLineLists(const TQuestionLayout& layout) {
  // Question 1 keeps its answer in "gender"; the others in a memory made here.
  if (layout.Kind != TQuestionLayout::Gender) Chosen = build::Memory(*this);
  if (layout.Kind == TQuestionLayout::BySex) {
    MaleLines = build::StrList(*this, layout.File);
    FemaleLines = build::StrList(*this, layout.FemaleFile);
  } else {
    Lines = build::StrList(*this, layout.File);
  }
}

void TQuestionGroup::BuildRouting(TControl* parentWindow, const TQuestionLayout& layout) {
  Effects = build::Container(*this, parentWindow, 4, 1);
  Highlight = build::Container(*this, parentWindow, THighlight::Items, 1);
  Report = build::MTChanelToIndex(*this, sheet::Reports);
  Commands = build::MTIndexToChanel(*this, layout.CommandCount);
  InHub = build::Hub(*this, 2);
  Resend = build::DoData(*this);
}

void TQuestionGroup::BuildGenderAnswer() {
  HoverHub = build::Hub(*this, 3);
  PickHub = build::Hub(*this, 2);
  Gender = build::GlobalVar(*this, "gender");
  Gender->SetValue(MakeInteger(0));
  UnknownTest = build::IfElse(*this, THIIf_else::Equal, MakeInteger(1));
  SendZero = build::DoData(*this, MakeInteger(0));
  ApplyHub = build::Hub(*this, 2);

  Resend->DataPoint = MakeEvent<&THIGlobalVar::GetValue>(Gender);
  UnknownTest->Op1Point = MakeEvent<&THIRadioButton::GetChecked>(Answers[0]);
  // A hover previews straight from the hover hub.
  HoverIndex->onIndex = MakeEvent<&THIHub::doEvent>(HoverHub);
  HoverHub->onEvent[2] = ContainerWork(Effects, 0);
  // A commit writes "gender", then reports.
  PickIndex->onIndex = MakeEvent<&THIHub::doEvent>(PickHub);
  PickHub->onEvent[0] = MakeEvent<&THIGlobalVar::doValue>(Gender);
  PickHub->onEvent[1] = ReportChannel(Report, 0);
  // Re-apply: the gender, then answer 0 when a gender is chosen.
  Commands->onEvent[2] = MakeEvent<&THIHub::doEvent>(ApplyHub);
  ApplyHub->onEvent[0] = MakeEvent<&THIDoData::doData>(Resend);
  ApplyHub->onEvent[1] = MakeEvent<&THIIf_else::doCompare>(UnknownTest);
  UnknownTest->onFalse = MakeEvent<&THIDoData::doData>(SendZero);
  SendZero->onData = ContainerWork(Effects, 2);
}

void TQuestionGroup::BuildRememberedAnswer() {
  PreviewHub = build::Hub(*this, 2);
  HoverHub = build::Hub(*this, 2);

  Resend->DataPoint = MakeEvent<&THIMemory::GetValue>(Chosen);
  // A hover goes to the hover hub, then previews.
  HoverIndex->onIndex = MakeEvent<&THIHub::doEvent>(PreviewHub);
  PreviewHub->onEvent[0] = MakeEvent<&THIHub::doEvent>(HoverHub);
  PreviewHub->onEvent[1] = ContainerWork(Effects, 0);
  // A commit is remembered, then reported.
  PickIndex->onIndex = MakeEvent<&THIMemory::doValue>(Chosen);
  Chosen->onData = ReportChannel(Report, 0);
}

void TQuestionGroup::BuildListBySex(const TQuestionLayout& layout) {
  Gender = build::GlobalVar(*this, "gender");
  SexToList = build::Math(*this, 1, 0, 1, 0);
  ListBySex = build::GetIndexData(*this, 2);
  ApplyHub = build::Hub(*this, 2);

  SexToList->Op1Point = MakeEvent<&THIGlobalVar::GetValue>(Gender);
  ListBySex->DataPoint[0] = MakeEvent<&THIStrList::GetArray>(MaleLines);
  ListBySex->DataPoint[1] = MakeEvent<&THIStrList::GetArray>(FemaleLines);
  Effects->Data[0] = MakeEvent<&THIGetIndexData::GetValue>(ListBySex);
  // Re-apply: the list of the gender, then the remembered answer.
  Commands->onEvent[2] = MakeEvent<&THIHub::doEvent>(ApplyHub);
  ApplyHub->onEvent[0] = MakeEvent<&THIMath::doOperation>(SexToList);
  ApplyHub->onEvent[1] = MakeEvent<&THIDoData::doData>(Resend);
  SexToList->onResult = MakeEvent<&THIGetIndexData::doIndex>(ListBySex);
  // Line commands: the male list's, then the female list's.
  Commands->onEvent[static_cast<size_t>(layout.LineCommand)] =
      MakeEvent<&THIStrList::doAdd>(MaleLines);
  Commands->onEvent[static_cast<size_t>(layout.LineCommand + 1)] =
      MakeEvent<&THIStrList::doAdd>(FemaleLines);
}

void TQuestionGroup::WireOneList(const TQuestionLayout& layout) {
  Effects->Data[0] = MakeEvent<&THIStrList::GetArray>(Lines);
  Commands->onEvent[static_cast<size_t>(layout.LineCommand)] = MakeEvent<&THIStrList::doAdd>(Lines);
}

void TQuestionGroup::WireHover() {
  // Hover over answer k: report channel 1, bold caption (and the preview, wired by kind).
  for (size_t k = 0; k < Answers.size(); ++k) {
    Answers[k]->onMouseMove =
        MakeEvent<&THIChanelToIndex::doEvent>(HoverIndex, static_cast<uint16_t>(k));
    Answers[k]->onSelect =
        MakeEvent<&THIChanelToIndex::doEvent>(PickIndex, static_cast<uint16_t>(k));
  }
  HoverHub->onEvent[0] = ReportChannel(Report, 1);
  HoverHub->onEvent[1] = ContainerWork(Highlight, 0);
}

void TQuestionGroup::WireReports() {
  // Reports leave on event point 0; previews become channels 2 .. 5.
  Report->onIndex = ParentEvent(Edit, 0);
  for (uint16_t t = 0; t < sheet::ResultBoxes; ++t)
    Effects->onEvent[t] = ReportChannel(Report, static_cast<uint16_t>(sheet::FirstBoxReport + t));
}

void TQuestionGroup::WireCommands() {
  // Commands, then pass the chain on.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(InHub);
  InHub->onEvent[0] = MakeEvent<&THIMT_IndexToChanel::doEvent>(Commands);
  InHub->onEvent[1] = ParentEvent(Edit, 1);
  Commands->onEvent[0] = ContainerWork(Highlight, 1);
  Commands->onEvent[1] = MakeEvent<&THIRadioButton::doSelect>(Answers[0]);
  Resend->onData = ContainerWork(Effects, 2);
}

void TQuestionGroup::WireFonts() {
  for (size_t k = 0; k < Answers.size(); ++k)
    Highlight->onEvent[k] = MakeEvent<&THIWin::doFont>(Answers[k]);
}

const TQuestionLayout& QuestionLayout(int question) {
  static const TQuestionLayout layouts[sheet::Questions] = {
      {TQuestionLayout::Gender,
       {5, 115, 115, 65},
       "ch1_caption",
       {"tf_male", "tf_female"},
       100,
       4,
       3,
       "choice-1.txt",
       {}},
      {TQuestionLayout::BySex,
       {5, 180, 185, 125},
       "ch2_caption",
       {"ch2_noble", "ch2_merchant", "ch2_veteran", "ch2_hunter", "ch2_nomad", "ch2_thief"},
       175,
       6,
       4,
       "choice-2-male.txt",
       "choice-2-female.txt"},
      {TQuestionLayout::Single,
       {5, 305, 185, 110},
       "ch3_caption",
       {"ch3_page", "ch3_apprentice", "ch3_helper", "ch3_urchin", "ch3_steppe_child"},
       175,
       7,
       6,
       "choice-3.txt",
       {}},
      {TQuestionLayout::BySex,
       {195, 180, 185, 125},
       "ch4_caption",
       {"ch4_squire", "ch4_troubadour", "ch4_student", "ch4_peddler", "ch4_craftsman",
        "ch4_poacher"},
       175,
       9,
       7,
       "choice-4-male.txt",
       "choice-4-female.txt"},
      {TQuestionLayout::Single,
       {195, 305, 185, 110},
       "ch5_caption",
       {"ch5_revenge", "ch5_loss", "ch5_wanderlust", "ch5_disown", "ch5_greed"},
       175,
       10,
       9,
       "choice-5.txt",
       {}}};
  return layouts[question >= 1 && question <= sheet::Questions ? question - 1 : 0];
}

TQuestionGroup::TQuestionGroup(TControl* parentWindow, TScheme* parentScheme,
                               THIMultiElement* container, int question)
    : TQuestionGroup(parentWindow, parentScheme, container, QuestionLayout(question)) {}
