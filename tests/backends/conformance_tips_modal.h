// Tracking tool tips and modal forms in the conformance suite. Besides the members
// conformance.h lists, a driver supplies:
//
//   TTipSeen TipSeen(const TControl& tip);   whether the tip's window shows, and where its
//                                            top-left corner lies in its owner's client area
//   bool CloseBox(TControl& form);           the user presses the form's close box; false when
//                                            the backend's forms have none
#pragma once

#include "controls/hintmanager.h"
#include "controls/label.h"
#include "tests/backends/conformance_suite.h"

struct TTipSeen {
  bool Shown = false;
  int X = 0, Y = 0;
};

template <class D>
class BackendTipsModal : public BackendConformance<D> {};

TYPED_TEST_SUITE_P(BackendTipsModal);

// A label element attached to a hint manager with Tracking: the mouse on the label switches the
// tip on, its moves carry the tip along, leaving switches it off; no delay shows or pops it.
TYPED_TEST_P(BackendTipsModal, TrackingTipFollowsTheMouse) {
  auto& t = *this;
  auto& d = t.drv;
  THIHintManager hints;
  hints.Tracking = 1;
  hints.InitialDelay = 100;
  hints.AutoPopDelay = 300;
  THILabel label(t.form.get());
  label.Left = 170;
  label.Top = 70;
  label.Width = 120;
  label.Height = 20;
  label.Caption = "Tracked";
  label.Hint = "Follows";
  label.Init();
  label.AttachHints(&hints);
  TControl* tip = label.Control->ToolTip();
  d.Pump();
  struct Case {
    const char* name;
    std::function<void()> input;
    bool shown;
    int x, y;  // the mouse on the label, where the tip must be near
  };
  const Case cases[] = {
      {"before the mouse comes", [] {}, false, 0, 0},
      {"mouse on", [&] { d.Move(*label.Control, 10, 5); }, true, 10, 5},
      {"mouse moves on the label", [&] { d.Move(*label.Control, 60, 12); }, true, 60, 12},
      {"resting past both delays", [&] { d.Wait(700); }, true, 60, 12},
      {"mouse off", [&] { d.LeaveTo(*t.form, t.kBareX, t.kBareY); }, false, 0, 0},
      {"back on", [&] { d.Move(*label.Control, 30, 8); }, true, 30, 8},
  };
  TTipSeen first;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    k.input();
    d.Pump();
    TTipSeen s = d.TipSeen(*tip);
    EXPECT_EQ(s.Shown, k.shown);
    EXPECT_EQ(tip->TipShown(), k.shown);
    if (!k.shown) continue;
    // At the mouse or just below it (where a backend puts a tip under the cursor) ...
    EXPECT_NEAR(s.X, k.x, 2);
    EXPECT_GE(s.Y, k.y - 2);
    EXPECT_LE(s.Y, k.y + 32);
    // ... always in the same place relative to the mouse.
    if (!first.Shown) first = TTipSeen{true, s.X - k.x, s.Y - k.y};
    EXPECT_EQ(s.X - k.x, first.X);
    EXPECT_EQ(s.Y - k.y, first.Y);
  }
  label.AttachHints(nullptr);
}

// A second form shown modal takes the input from its owner until its close box ends it with
// -1 and hides it; then the owner takes input again.
TYPED_TEST_P(BackendTipsModal, ModalFormBlocksItsOwnerUntilItCloses) {
  auto& t = *this;
  auto& d = t.drv;
  auto dialog = t.Make(TControlKind::Form, t.form.get(), "Dialog", 60, 60, 220, 120);
  dialog->SetStyle(ws::Caption | ws::SysMenu, 0);
  auto field = t.Make(TControlKind::Label, dialog.get(), "Field", 10, 10, 100, 20);
  dialog->CreateWindowTree();
  d.Pump();
  auto click = [&](TControl& c) {
    d.Press(c, 1, 5, 5);
    d.Release(c, 1, 5, 5);
    d.Key(c, 'A');
  };
  struct Case {
    const char* name;
    std::function<void()> step;
    bool ownerTakesInput, dialogShown;
    int modalResult;
    bool labelLeft;  // the owner's label, under the mouse, heard its leave
  };
  // Each step starts with the mouse where the last one left it: on the owner's label when the
  // dialog is hidden, else on the dialog's field.
  const Case cases[] = {
      {"secondary form shown", [&] { dialog->SetVisible(true); }, true, true, 0, false},
      {"hidden again", [&] { dialog->SetVisible(false); }, true, false, 0, false},
      {"shown modal", [&] { dialog->ShowModal(); }, false, true, 0, true},
      {"closed by its close box",
       [&] {
         if (!d.CloseBox(*dialog)) dialog->Close(true);
       },
       true, false, -1, false},
      {"modal again, ended by the program", [&] { dialog->ShowModal(); }, false, true, 0, true},
      {"result 2", [&] { dialog->SetModalResult(2); }, true, false, 2, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    t.rec.Log.clear();
    k.step();
    d.Pump();
    EXPECT_EQ(t.rec.Count("Dialog: modal end " + std::to_string(k.modalResult)),
              k.modalResult != 0 ? 1 : 0);
    EXPECT_EQ(t.rec.Count("Label: leave"), k.labelLeft ? 1 : 0);
    EXPECT_EQ(d.Seen(*t.form).Enabled, k.ownerTakesInput);
    EXPECT_EQ(d.Seen(*dialog).Visible, k.dialogShown);
    EXPECT_EQ(dialog->ModalResult(), k.modalResult);
    click(*t.label);
    d.Pump();
    EXPECT_EQ(t.rec.Has("Label: down 1 5,5 keys 1"), k.ownerTakesInput);
    EXPECT_EQ(t.rec.Has("Label: key 65"), k.ownerTakesInput);
    if (k.dialogShown) {
      click(*field);
      d.Pump();
      EXPECT_TRUE(t.rec.Has("Field: down 1 5,5 keys 1"));
    }
  }
  dialog->DestroyWindow();
  d.Pump();
}

REGISTER_TYPED_TEST_SUITE_P(BackendTipsModal, TrackingTipFollowsTheMouse,
                            ModalFormBlocksItsOwnerUntilItCloses);
