// The conformance suite on the headless backend: its window records are read back, input
// comes from the simulator.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "tests/backends/conformance_font_dialog.h"
#include "tests/backends/conformance_suite.h"
#include "tests/backends/conformance_tips_modal.h"
#include "ui/backends/headless/simulator.h"

namespace {

class HeadlessDriver {
 public:
  static void SetUpSuite() {}
  static void TearDownSuite() {}
  TBackend& Backend() { return HeadlessBackend(); }
  void Pump() { HeadlessBackend().ProcessMessages(false); }

  bool Exists(const TControl& c) { return HeadlessBackend().Exists(&c); }
  bool ChildOf(const TControl& c, const TControl& parent) {
    const THeadlessWindow* w = HeadlessBackend().Window(&c);
    return w && w->Parent == &parent;
  }
  TSeen Seen(const TControl& c) {
    TSeen s;
    const THeadlessWindow* w = HeadlessBackend().Window(&c);
    if (!w) return s;
    s.Text = w->Text;
    s.FontPixels = std::abs(FontHeightFor(w->Font.Size, 96));
    s.Bold = w->Font.Style & fsBold;
    s.Italic = w->Font.Style & fsItalic;
    s.Underline = w->Font.Style & fsUnderline;
    s.TextColor = ResolveColor(w->Font.Color);
    s.Color = ResolveColor(w->Color);
    s.Alignment = w->Alignment;
    s.Visible = w->Visible;
    s.Enabled = w->Enabled;
    s.Checked = w->Checked;
    s.Items = w->Items;
    s.Selection = w->Selection;
    s.Left = w->Left;
    s.Top = w->Top;
    s.Width = w->Width;
    s.Height = w->Height;
    return s;
  }
  std::vector<TControl*> Stack(const TControl& parent, const std::vector<TControl*>& among) {
    std::vector<TControl*> out;
    if (const THeadlessWindow* w = HeadlessBackend().Window(&parent))
      for (TControl* c : w->Stack)
        if (std::find(among.begin(), among.end(), c) != among.end()) out.push_back(c);
    return out;
  }

  void Move(TControl& c, int x, int y) { sim_.MoveTo(c, x, y); }
  void Press(TControl& c, int button, int x, int y) {
    sim_.MoveTo(c, x, y);
    sim_.Press(button);
  }
  void Release(TControl& c, int button, int x, int y) {
    sim_.MoveTo(c, x, y);
    sim_.Release(button);
  }
  void Wheel(TControl& c, int delta, int x, int y) {
    sim_.MoveTo(c, x, y);
    sim_.Wheel(delta);
  }
  void Key(TControl& c, int key) {
    c.SetFocus();
    sim_.PressKey(key);
  }
  void CtrlKey(TControl& c, int key) {
    c.SetFocus();
    sim_.PressKey(key, false, true);
  }
  void LeaveTo(TControl& form, int x, int y) { sim_.MoveTo(form, x, y); }
  void Wait(int ms) {
    sim_.Wait(ms);
    Pump();
  }

  // The dialog is answered as a runner answers it from its input.
  static constexpr bool kWindowIcon = false;  // nothing is shown
  // No native accessibility: what the window layer would tell it.
  static constexpr bool kAccess = true;
  TAccessSeen Access(const TControl& c) {
    TAccessInfo a = c.Access();
    return {AccessRoleName(a.Role), a.Name, a.Checkable ? int(a.Checked) : -1, a.Description};
  }
  static constexpr bool kFontDialog = true;
  static constexpr bool kDialogColor = true;
  static std::string DialogFace(int i) { return i ? "Courier New" : "MS Sans Serif"; }
  void AnswerFontDialog(const TFontChoice* answer) {
    std::optional<TFontChoice> a;
    if (answer) a = *answer;
    HeadlessBackend().FontDialog = [this, a](const TFontRec& shown, TFontChoice& out) {
      shown_ = shown;
      ++dialogs_;
      if (a) out = *a;
      return a.has_value();
    };
  }
  TTipSeen TipSeen(const TControl& tip) {
    const THeadlessWindow* w = HeadlessBackend().Window(&tip);
    if (!w || !tip.Parent()) return TTipSeen{};
    int ox = 0, oy = 0;
    tip.Parent()->OriginIn(nullptr, ox, oy);
    return TTipSeen{w->TipUp, w->TipX - ox, w->TipY - oy};
  }
  bool CloseBox(TControl& form) { return sim_.CloseForm(form); }

  TFontRec FontDialogShown() const { return shown_; }
  int FontDialogsShown() const { return dialogs_; }
  ~HeadlessDriver() { HeadlessBackend().FontDialog = nullptr; }

 private:
  TSimulator sim_;
  TFontRec shown_;
  int dialogs_ = 0;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, BackendConformance, HeadlessDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, BackendFontDialog, HeadlessDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, BackendTipsModal, HeadlessDriver);
