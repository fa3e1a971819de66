#include "examples/tour/tour_scheme.h"

#include <cstring>
#include <utility>

#include "runtime/event.h"

namespace {

constexpr uint32_t kPaper = 0xF0FBFF;
constexpr uint32_t kLinkBlue = 0xC04000;

}  // namespace

THILabel* TTourScheme::NewLabel(THIWin* parent, const char* caption, int top, bool link) {
  auto* l = new THILabel(parent->Control);
  l->Left = 16;
  l->Top = top;
  l->Width = 240;
  l->Height = 20;
  l->Color = kPaper;
  l->Caption = caption;
  if (link) {
    l->Font.Color = kLinkBlue;
    l->HoverUnderline = 1;
    l->HoverCursor = crHand;
  }
  l->Init();
  return l;
}

TTourScheme::TTourScheme(std::string optionsPlace) {
  main_ = new THIMainForm();
  main_->SetCaption("Element tour");
  main_->SetBorderStyle(1);
  main_->Left = 120;
  main_->Top = 120;
  main_->Width = 290;
  main_->Height = 170;
  main_->Color = kPaper;
  main_->Init();

  options_ = new THIMainForm(main_->Control);
  options_->SetCaption("Options");
  options_->SetBorderStyle(3);
  options_->Left = 180;
  options_->Top = 180;
  options_->Width = 290;
  options_->Height = 150;
  options_->Color = kPaper;
  options_->Visible = 0;
  options_->Place = std::move(optionsPlace);
  options_->Init();

  tracked_ = NewLabel(main_, "Point here and move the mouse", 16, false);
  tracked_->Height = 36;
  tracked_->Color = 0xD8F0F8;
  tracked_->Hint = "This tip follows the mouse";
  tracked_->Init();
  open_ = NewLabel(main_, "Options...", 70, true);
  result_ = NewLabel(main_, "Options not opened yet", 100, false);

  fontLink_ = NewLabel(options_, "Font...", 16, true);
  sample_ = NewLabel(options_, "The sample line", 44, false);
  ok_ = NewLabel(options_, "OK", 84, true);

  // Options... shows the options form modal; how it ended shows as its result.
  open_->onClick = MakeEvent<&THIMainForm::doShowModal>(options_);
  resultText_.Mask = "Options ended with %1";
  resultText_.SetCount(1);
  options_->onModalResult = MakeEvent<&THIFormatStr::doFormat>(&resultText_);
  resultText_.onFormat = MakeEvent<&THILabel::doText>(result_);
  // OK ends it with 1.
  SetInteger(okResult_.Data, 1);
  ok_->onClick = MakeEvent<&THIDoData::doData>(&okResult_);
  okResult_.onData = MakeEvent<&THIMainForm::doModalResult>(options_);
  // Font... lets the user pick the sample line's font in the system dialog.
  font_.Font = sample_->Font;
  font_.ShowDialog = 1;
  fontLink_->onClick = MakeEvent<&THIFont::doFont>(&font_);
  font_.onFont = MakeEvent<&THIWin::doFont>(sample_);

  // Every element exists: the tool tips come last.
  hints_.Tracking = 1;
  hints_.Balloon = 1;
  tracked_->AttachHints(&hints_);
}

TTourScheme::~TTourScheme() {
  // In reverse order of creation; the main form takes the application window with it.
  for (THILabel* l : {ok_, sample_, fontLink_, result_, open_, tracked_})
    delete l;
  delete options_;
  delete main_;
}

THILabel* TTourScheme::Label(const char* role) const {
  const struct {
    const char* Role;
    THILabel* Label;
  } labels[] = {{"tracked", tracked_}, {"options", open_},  {"result", result_},
                {"font", fontLink_},   {"sample", sample_}, {"ok", ok_}};
  for (const auto& l : labels)
    if (std::strcmp(l.Role, role) == 0) return l.Label;
  return nullptr;
}
