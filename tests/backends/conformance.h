// The backend conformance suite: the same checks for every TBackend. Each backend's test
// program supplies a driver D and instantiates the suite with it:
//
//   TBackend& Backend();                  the backend under test
//   static void SetUpSuite(), TearDownSuite();
//   void Pump();                          handle everything pending, without waiting
//   bool Exists(const TControl&);         the native window is there
//   bool ChildOf(const TControl& c, const TControl& parent);   c's window lies in parent's
//   TSeen Seen(const TControl&);          what the native window holds now
//   std::vector<TControl*> Stack(const TControl& parent, const std::vector<TControl*>& among);
//                                         the windows of among in native z-order, front first
//   void Move(c, x, y), Press(c, button, x, y), Release(c, button, x, y), Wheel(c, delta, x, y);
//   void Key(c, virtualKey);              key down and up on c, which has the focus
//   void CtrlKey(c, virtualKey);          the same with Ctrl held
//   void LeaveTo(form, x, y);             the mouse goes to (x, y) of the form's bare area
//   void Wait(int ms);                    ms pass with the mouse where it is, input handled
//   static constexpr bool kWindowIcon;    a top window shows an icon (TSeen::Icon is read)
//   TAccessSeen Access(const TControl&);  what assistive technology is told (kAccess: the
//                                         backend tells it at all)
//   std::string AccessUnheard(const TControl&);   optional: why the system cannot be asked here
//                                         ("" when it can), shown as the reason of a skip
//
// Input is made the way that backend's input comes (window messages, toolkit events, the
// simulator); coordinates are in c's client area.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/recorder.h"
#include "ui/backend.h"

// A native window's state as a driver reads it back.
struct TSeen {
  std::string Text;
  int FontPixels = 0;
  bool Bold = false, Italic = false, Underline = false;
  uint32_t TextColor = 0, Color = 0;  // resolved RGB as 0xBBGGRR
  uint8_t Alignment = taLeft;
  bool Visible = false, Enabled = false, Checked = false;
  std::vector<std::string> Items;
  int Selection = -1;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  // The program's icon resource a top window shows ("ICON0", "MAINICON"; "" for the system's).
  // Read where the driver says kWindowIcon: the test programs link both icons in.
  std::string Icon;
};

// What a native window tells assistive technology, as a driver reads it back. Role: the name
// AccessRoleName gives; Checked: 1, 0, or -1 where the role has no such state.
struct TAccessSeen {
  std::string Role, Name;
  int Checked = -1;
  std::string Description;
};

template <class D>
class BackendConformance : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { D::SetUpSuite(); }
  static void TearDownTestSuite() { D::TearDownSuite(); }

  // A form with every kind of control: a group box with a radio button, two labels (the first
  // with a tool tip), a panel holding a label and a combo box.
  void SetUp() override {
    SetBackend(&drv.Backend());
    app = std::make_unique<TControl>(TControlKind::Application, nullptr);
    form = Make(TControlKind::Form, app.get(), "Form", 10, 20, 400, 300);
    form->SetStyle(ws::Caption | ws::SysMenu | ws::MinimizeBox, 0);
    form->SetColor(0xF0FBFF);
    group = Make(TControlKind::GroupBox, form.get(), "Group", 8, 8, 150, 100);
    radio = Make(TControlKind::RadioButton, group.get(), "Radio", 8, 20, 120, 20);
    label = Make(TControlKind::Label, form.get(), "Label", 170, 10, 120, 20);
    other = Make(TControlKind::Label, form.get(), "Other", 170, 40, 120, 20);
    panel = Make(TControlKind::Panel, form.get(), "Panel", 170, 100, 200, 120);
    inner = Make(TControlKind::Label, panel.get(), "Inner", 10, 10, 100, 20);
    combo = Make(TControlKind::ComboBox, panel.get(), "Combo", 10, 60, 120, 21);
    TToolTipInfo tip;
    tip.Text = "Tip";
    label->ToolTip()->SetTipInfo(tip);
    app->CreateWindowTree();
    form->SetVisible(true);
    drv.Pump();
    rec.Log.clear();
  }
  void TearDown() override {
    app->DestroyWindow();
    drv.Pump();
    for (auto* c : {&combo, &inner, &panel, &other, &label, &radio, &group, &form})
      c->reset();
    app.reset();
    SetBackend(nullptr);
  }
  std::unique_ptr<TControl> Make(TControlKind k, TControl* parent, const char* text, int l, int t,
                                 int w, int h) {
    auto c = std::make_unique<TControl>(k, parent);
    c->SetText(text);
    c->SetBounds(l, t, w, h);
    c->SetListener(&rec);
    return c;
  }
  // A point of the form's client area that no control covers.
  static constexpr int kBareX = 380, kBareY = 250;

  D drv;
  Recorder rec;
  std::unique_ptr<TControl> app, form, group, radio, label, other, panel, inner, combo;
};

TYPED_TEST_SUITE_P(BackendConformance);
