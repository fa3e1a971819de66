#include "app/sheet.h"

#include <iterator>

#include "controls/app.h"
#include "runtime/globalvar.h"
#include "runtime/initprocs.h"
#include "scheme/main_form.h"
#include "scheme/question_groups.h"
#include "scheme/result_boxes.h"
#include "scheme/settings_panel.h"
#include "scheme/sheet_counts.h"
#include "ui/backend.h"

namespace {

template <class S>
S* SubScheme(THIMultiElement* c) {
  return c && c->Boundary ? dynamic_cast<S*>(c->Boundary->Owner) : nullptr;
}

}  // namespace

void ResetSharedState() {
  ResetDispatchers();
  ResetApplication();
  ClearGlobalVars();
  ClearTranslation();
  InitProcs.clear();
  InitDone = false;
  Backend().ResetQuit();
}

TSheet::TSheet() {
  ResetSharedState();
  scheme_ = new TMainForm();
  Name("form", scheme_->mainForm->Control);
  Name("clear", scheme_->clearLabel->Control);
  Name("settings", scheme_->settingsLabel->Control);
  NameSettingsPanel();
  NameResultBoxes();
  NameQuestions();
  Start(scheme_->mainForm);
  for (TSheetBox& b : boxes_)
    for (TControl* v : b.Values)
      b.Unanswered.push_back(v->Text());
}

TSheet::~TSheet() {
  ResetDispatchers();
  names_.clear();
  boxes_.clear();
  questions_.clear();
  delete scheme_;
  ResetSharedState();
}

void TSheet::Run() {
  ::Run(ApplicationWindow());
}

TControl& TSheet::Form() const {
  return *scheme_->mainForm->Control;
}

TControl* TSheet::Find(std::string_view name) const {
  for (const auto& [n, c] : names_)
    if (n == name) return c;
  return nullptr;
}

void TSheet::Name(std::string name, TControl* c) {
  if (c) names_.emplace_back(std::move(name), c);
}

void TSheet::NameSettingsPanel() {
  auto* p = SubScheme<TSettingsPanel>(scheme_->settingsPanel);
  if (!p) return;
  Name("panel", p->SettingsPanel->Control);
  Name("panel.exit", p->CloseLabel->Control);
  Name("panel.languageLabel", p->LanguageLabel->Control);
  Name("panel.language", p->LanguageBox->Control);
  Name("panel.note", p->RestartNote->Control);
}

// Boxes in the order they are built; a value label is named by the item it shows.
void TSheet::NameResultBoxes() {
  TMainForm& s = *scheme_;
  std::pair<const char*, THIMultiElement*> boxes[] = {{"profic", s.proficiencyBox},
                                                      {"attrib", s.attributesBox},
                                                      {"skills", s.skillsBox},
                                                      {"other", s.otherBox}};
  for (auto& [role, container] : boxes) {
    auto* b = SubScheme<TResultBox>(container);
    if (!b) continue;
    std::string r = role;
    Name(r, b->Frame->Control);
    TSheetBox& box = boxes_.emplace_back();
    box.Frame = b->Frame->Control;
    for (size_t k = 0; k < b->Names.size() && k < b->Values.size(); ++k) {
      box.Names.push_back(b->Names[k]->Control);
      box.Values.push_back(b->Values[k]->Control);
    }
    for (size_t k = 0; k < b->Names.size(); ++k) {
      Name(r + ".name." + std::to_string(k), b->Names[k]->Control);
      for (int32_t i = 0; i < 100; ++i)
        if (b->ValueOfItem(i) == b->Values[k])
          Name(r + ".value." + std::to_string(i), b->Values[k]->Control);
    }
    if (b->Warning) Name(r + ".warning", b->Warning->Control);
  }
}

void TSheet::NameQuestions() {
  TMainForm& s = *scheme_;
  THIMultiElement* questions[] = {s.question1, s.question2, s.question3, s.question4, s.question5};
  static_assert(std::size(questions) == sheet::Questions);
  for (int q = 0; q < sheet::Questions; ++q) {
    auto* g = SubScheme<TQuestionGroup>(questions[q]);
    if (!g) continue;
    std::string r = "q" + std::to_string(q + 1);
    Name(r, g->Frame->Control);
    TSheetQuestion& question = questions_.emplace_back();
    question.Frame = g->Frame->Control;
    for (size_t k = 0; k < g->Answers.size(); ++k) {
      Name(r + "." + std::to_string(k), g->Answers[k]->Control);
      question.Answers.push_back(g->Answers[k]->Control);
    }
  }
}
