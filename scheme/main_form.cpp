#include "scheme/main_form.h"

#include <array>
#include <string>

#include "scheme/answer_effects.h"
#include "scheme/choice_loader.h"
#include "scheme/derived_values.h"
#include "scheme/governed_skills.h"
#include "scheme/governing_attribute.h"
#include "scheme/question_groups.h"
#include "scheme/related_labels.h"
#include "scheme/result_boxes.h"
#include "scheme/result_tables.h"
#include "scheme/settings_panel.h"
#include "scheme/sheet_counts.h"

using build::ContainerWork;

namespace {

void NoAfterInit(THIMainForm*) {}

THI_Event Channel(THIMT_ChanelToIndex* c, uint16_t k) {
  return MakeEvent<&THIMT_ChanelToIndex::doEvent>(c, k);
}

THILabel* CommandLabel(TScheme& s, TControl* parent, int32_t left, std::string_view key) {
  auto* e = s.Add<THILabel>(parent);
  e->Left = left;
  e->Top = 160;
  e->Width = 115;
  e->Height = 20;
  e->Color = build::SheetColor;
  e->Font = build::SansSerif(10, fsBold, 0, 1);
  e->Caption = build::Tr(key);
  e->SetAutoSize(false);
  e->SetAlignment(taCenter);
  e->HoverColor = 0x008000;
  e->HoverCursor = 0;
  e->HoverUnderline = 1;
  e->Init();
  return e;
}

template <class S>
S* Built(THIMultiElement* c) {
  return c && c->Boundary ? dynamic_cast<S*>(c->Boundary->Owner) : nullptr;
}

void TabStop(THIWin* w, int32_t order) {
  if (w && w->Control) w->Control->SetTabOrder(order);
}

}  // namespace

void TMainForm::SetKeyboardOrder() {
  // The answers of one question share a position: Tab reaches the question, the arrows its
  // answers. Then the two command labels; the settings panel's controls while it is open.
  int32_t order = 0;
  for (THIMultiElement* q : {question1, question2, question3, question4, question5}) {
    ++order;
    if (auto* g = Built<TQuestionGroup>(q))
      for (THIRadioButton* a : g->Answers)
        TabStop(a, order);
  }
  TabStop(clearLabel, ++order);
  TabStop(settingsLabel, ++order);
  if (auto* p = Built<TSettingsPanel>(settingsPanel)) {
    TabStop(p->LanguageBox, ++order);
    TabStop(p->CloseLabel, ++order);
  }
}

TMainForm::TMainForm() {
  LoadLanguage();
  BuildForm();
  TControl* form = mainForm->Control;
  BuildElements(form);
  clearLabel = CommandLabel(*this, form, 125, ClearKey);
  settingsLabel = CommandLabel(*this, form, 265, SettingsKey);
  WireQuestions();
  WireReports();
  WireBoxes();
  clearLabel->onClick = Channel(questionCommand, 1);
  settingsLabel->onClick = ContainerWork(settingsPanel, 0);
  MakeSubSchemes();

  // No tool tips on the labels; the keyboard moves between the questions and commands.
  clearLabel->AttachHints(nullptr);
  settingsLabel->AttachHints(nullptr);
  SetKeyboardOrder();
  DescribeForAccess();
  form->SetTabNavigation(true);
}

void TMainForm::DescribeForAccess() {
  const std::array<TResultBox*, 4> boxes = {
      Built<TResultBox>(attributesBox), Built<TResultBox>(skillsBox),
      Built<TResultBox>(proficiencyBox), Built<TResultBox>(otherBox)};
  // A row is one item named by its name and value; the value label is part of that name.
  for (TResultBox* b : boxes) {
    if (!b) continue;
    for (size_t r = 0; r < b->Names.size() && r < b->Values.size(); ++r) {
      TControl* name = b->Names[r]->Control;
      TControl* value = b->Values[r]->Control;
      name->SetAccessRole(TAccessRole::Item);
      name->SetAccessLabels({name, value});
      value->SetAccessRole(TAccessRole::Hidden);
    }
    if (b->Warning) b->Warning->Control->SetAccessRole(TAccessRole::Alert);
  }
  // An answer is described by the rows its preview marks, from the lines the preview walks.
  for (THIMultiElement* q : {question1, question2, question3, question4, question5}) {
    auto* g = Built<TQuestionGroup>(q);
    if (!g) continue;
    for (size_t k = 0; k < g->Answers.size(); ++k)
      g->Answers[k]->Control->SetAccessDescription([g, k, boxes] {
        std::string text;
        const TArrayIntf* lines = ReadArrayIntf(g->Effects->Data[0]);
        for (const TAnswerChange& c : AnswerChanges(lines, static_cast<int32_t>(k))) {
          TResultBox* b = boxes[static_cast<size_t>(c.Box)];
          if (!b || c.Row < 0 || static_cast<size_t>(c.Row) >= b->Names.size()) continue;
          if (!text.empty()) text += ", ";
          text += b->Names[static_cast<size_t>(c.Row)]->Control->Text();
          text += (c.Amount > 0 ? " +" : " ") + std::to_string(c.Amount);
        }
        return text;
      });
  }
  clearLabel->Control->SetAccessRole(TAccessRole::Button);
  settingsLabel->Control->SetAccessRole(TAccessRole::Button);
  if (auto* p = Built<TSettingsPanel>(settingsPanel)) {
    p->SettingsPanel->Control->SetAccessRole(TAccessRole::Dialog);
    p->SettingsPanel->Control->SetAccessLabels({settingsLabel->Control});
    p->LanguageBox->Control->SetAccessLabels({p->LanguageLabel->Control});
    p->CloseLabel->Control->SetAccessRole(TAccessRole::Button);
    p->RestartNote->Control->SetAccessRole(TAccessRole::Alert);
  }
}

void TMainForm::LoadLanguage() {
  // Before any caption is made.
  Localization.Language = "";
  Localization.BuiltIn.SetText("btn_clear");
  Localization.Storage = 1;
  Localization.IniFile = "config.ini";
  Localization.Section = "main";
  Localization.Key = "language";
  Localization.Folder = ".";
  Localization.Load();
}

void TMainForm::BuildForm() {
  // Hidden until start-up.
  mainForm = Add<THIMainForm>(nullptr);
  mainForm->Left = 0;
  mainForm->Top = 0;
  mainForm->Width = 555;
  mainForm->Height = 445;
  mainForm->Color = build::SheetColor;
  mainForm->Font = build::SansSerif(8, 0, 0, 204);
  mainForm->ParentFont = 0;
  mainForm->Visible = 1;
  mainForm->Enabled = 1;
  mainForm->Cursor = 0;
  mainForm->TabOrder = 0;
  mainForm->Ctl3D = 1;
  mainForm->AlphaBlend = 255;
  mainForm->SetCaption("Quorvant");
  mainForm->SetBorderStyle(1);
  mainForm->WindowState = 0;
  mainForm->SetIcon("ICON0");
  mainForm->SetToolWindow(false);
  mainForm->DragByClient = 0;
  mainForm->Place = "config.ini\\main";
  mainForm->ClientSize = 0;
  mainForm->AfterInit = &NoAfterInit;
  mainForm->Init();
}

void TMainForm::BuildElements(TControl* form) {
  settingsPanel = build::Container(*this, form, 0, 0);
  proficiencyBox = build::Container(*this, form, 2, 0);
  attributesBox = build::Container(*this, form, 2, 0);
  skillsBox = build::Container(*this, form, 2, 0);
  otherBox = build::Container(*this, form, 2, 0);
  hoverHub = build::Hub(*this, 2);
  governingAttribute = build::Container(*this, form, 2, 0);
  governedSkills = build::Container(*this, form, 2, 0);
  question1 = build::Container(*this, form, 2, 0);
  question2 = build::Container(*this, form, 2, 0);
  question3 = build::Container(*this, form, 2, 0);
  question4 = build::Container(*this, form, 2, 0);
  question5 = build::Container(*this, form, 2, 0);
  resultTables = build::Container(*this, form, 0, 0);
  commitHub = build::Hub(*this, 3);
  hoverFilter = Add<THIChangeMon>();
  startHub = build::Hub(*this, 2);
  choiceLoader = build::Container(*this, form, 1, 0);
  derivedValues = build::Container(*this, form, 0, 0);
  reportSwitch = build::MTIndexToChanel(*this, sheet::Reports);
  relatedLabels = build::Container(*this, form, 1, 0);
  questionCommand = build::MTChanelToIndex(*this, sheet::PlainCommands);
  boxCommand = build::MTChanelToIndex(*this, sheet::Reports);
}

void TMainForm::WireQuestions() {
  // Start-up: load the answer lines, then reset every question.
  mainForm->onCreate = MakeEvent<&THIHub::doEvent>(startHub);
  startHub->onEvent[0] = ContainerWork(choiceLoader, 0);
  startHub->onEvent[1] = Channel(questionCommand, 1);
  // The question chain, ending in the derived values.
  questionCommand->onIndex = ContainerWork(question1, 0);
  choiceLoader->onEvent[0] = ContainerWork(question1, 0);
  question1->onEvent[1] = ContainerWork(question2, 0);
  question2->onEvent[1] = ContainerWork(question3, 0);
  question3->onEvent[1] = ContainerWork(question4, 0);
  question4->onEvent[1] = ContainerWork(question5, 0);
  question5->onEvent[1] = ContainerWork(derivedValues, 0);
}

void TMainForm::WireReports() {
  // Reports: 0 commit, 1 hover, 2 .. 5 box highlights.
  for (THIMultiElement* q : {question1, question2, question3, question4, question5})
    q->onEvent[0] = MakeEvent<&THIMT_IndexToChanel::doEvent>(reportSwitch);
  relatedLabels->onEvent[0] = MakeEvent<&THIMT_IndexToChanel::doEvent>(reportSwitch);
  reportSwitch->onEvent[0] = MakeEvent<&THIHub::doEvent>(commitHub);
  reportSwitch->onEvent[1] = MakeEvent<&THIChangeMon::doData>(hoverFilter);
  for (uint16_t k = sheet::FirstBoxReport; k < sheet::Reports; ++k)
    reportSwitch->onEvent[k] = Channel(boxCommand, k);
  // A changed hover (the bare form counts as -1) un-highlights boxes, then questions.
  mainForm->onMouseMove = MakeEvent<&THIChangeMon::doData>(hoverFilter);
  hoverFilter->onData = MakeEvent<&THIHub::doEvent>(hoverHub);
  hoverHub->onEvent[0] = Channel(boxCommand, 0);
  hoverHub->onEvent[1] = Channel(questionCommand, 0);
  // A commit: reset the tables, re-apply every answer, refresh the boxes.
  commitHub->onEvent[0] = ContainerWork(resultTables, 0);
  commitHub->onEvent[1] = Channel(questionCommand, 2);
  commitHub->onEvent[2] = Channel(boxCommand, 1);
}

void TMainForm::WireBoxes() {
  // The box chain; hovered rows go through the score stages to the related labels.
  boxCommand->onIndex = ContainerWork(attributesBox, 0);
  attributesBox->onEvent[0] = ContainerWork(governedSkills, 0);
  attributesBox->onEvent[1] = ContainerWork(skillsBox, 0);
  skillsBox->onEvent[0] = ContainerWork(governingAttribute, 0);
  skillsBox->onEvent[1] = ContainerWork(proficiencyBox, 0);
  proficiencyBox->onEvent[0] = ContainerWork(relatedLabels, 4);
  proficiencyBox->onEvent[1] = ContainerWork(otherBox, 0);
  otherBox->onEvent[0] = ContainerWork(relatedLabels, 5);
  governedSkills->onEvent[0] = ContainerWork(relatedLabels, 0);
  governedSkills->onEvent[1] = ContainerWork(relatedLabels, 1);
  governingAttribute->onEvent[0] = ContainerWork(relatedLabels, 2);
  governingAttribute->onEvent[1] = ContainerWork(relatedLabels, 3);
}

void TMainForm::MakeSubSchemes() {
  // Built at once, in this order.
  settingsPanel->SetMake(&MakeSubScheme<TSettingsPanel>);
  proficiencyBox->SetMake(&MakeSubSchemeOf<TResultBox, 2>);
  mainForm->AttachHints(nullptr);
  attributesBox->SetMake(&MakeSubSchemeOf<TResultBox, 0>);
  skillsBox->SetMake(&MakeSubSchemeOf<TResultBox, 1>);
  otherBox->SetMake(&MakeSubSchemeOf<TResultBox, 3>);
  governingAttribute->SetMake(&MakeSubScheme<TGoverningAttribute>);
  governedSkills->SetMake(&MakeSubScheme<TGovernedSkills>);
  question1->SetMake(&MakeSubSchemeOf<TQuestionGroup, 1>);
  question2->SetMake(&MakeSubSchemeOf<TQuestionGroup, 2>);
  question3->SetMake(&MakeSubSchemeOf<TQuestionGroup, 3>);
  question4->SetMake(&MakeSubSchemeOf<TQuestionGroup, 4>);
  question5->SetMake(&MakeSubSchemeOf<TQuestionGroup, 5>);
  resultTables->SetMake(&MakeSubScheme<TResultTables>);
  choiceLoader->SetMake(&MakeSubScheme<TChoiceLoader>);
  derivedValues->SetMake(&MakeSubScheme<TDerivedValues>);
  relatedLabels->SetMake(&MakeSubScheme<TRelatedLabels>);
}

TMainForm::~TMainForm() {
  // Everything else first; the form and its windows last.
  DestroyElements();
}
