// The conformance checks every backend passes: creation, each change read back from the native
// window, input delivery, stacking, destruction, and the leave of a window that disappears
// under the mouse. Included by one file per backend, which instantiates them with its driver.
#pragma once

#include "tests/backends/conformance.h"

#include <functional>

TYPED_TEST_P(BackendConformance, EveryControlKindGetsItsNativeWindow) {
  auto& t = *this;
  struct Case {
    TControl* c;
    TControl* parent;  // whose window holds c's; nullptr for top windows and tool tips
  };
  const Case cases[] = {
      {t.app.get(), nullptr},         {t.form.get(), nullptr},        {t.group.get(), t.form.get()},
      {t.radio.get(), t.group.get()}, {t.label.get(), t.form.get()},  {t.panel.get(), t.form.get()},
      {t.inner.get(), t.panel.get()}, {t.combo.get(), t.panel.get()}, {t.label->ToolTip(), nullptr},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.c->Text() + " of kind " + std::to_string(static_cast<int>(k.c->Kind())));
    EXPECT_TRUE(t.drv.Exists(*k.c));
    if (k.parent) {
      EXPECT_TRUE(t.drv.ChildOf(*k.c, *k.parent));
    }
  }
  // A control made hidden stays hidden; an editable combo box shows its text in its field.
  TControl hidden(TControlKind::Label, t.form.get());
  hidden.SetVisible(false);
  hidden.SetText("Hidden");
  hidden.CreateWindow();
  TControl edit(TControlKind::ComboBox, t.form.get());
  edit.SetEditable(true);
  edit.SetText("typed");
  edit.SetBounds(10, 240, 100, 21);
  edit.CreateWindow();
  EXPECT_TRUE(t.drv.Exists(hidden));
  EXPECT_FALSE(t.drv.Seen(hidden).Visible);
  EXPECT_EQ(t.drv.Seen(edit).Text, "typed");
  edit.SetText("other");
  EXPECT_EQ(t.drv.Seen(edit).Text, "other");
  edit.DestroyWindow();
  hidden.DestroyWindow();
}

TYPED_TEST_P(BackendConformance, EveryChangeIsAppliedAndReadBack) {
  auto& t = *this;
  TControl *label = t.label.get(), *panel = t.panel.get(), *combo = t.combo.get();
  TControl *radio = t.radio.get(), *form = t.form.get();
  TFontRec big;
  big.Name = "MS Sans Serif";
  big.Size = 14;
  big.Style = fsBold | fsItalic | fsUnderline;
  TFontRec green;
  green.Color = 0x008000;
  int bigPixels = -FontHeightFor(14, t.drv.Backend().PixelsPerInch());
  int plainPixels = -FontHeightFor(green.Size, t.drv.Backend().PixelsPerInch());
  using Strings = std::vector<std::string>;
  struct Case {
    const char* name;
    TControl* c;
    std::function<void()> change;
    std::function<void(const TSeen&)> check;
  };
  const Case cases[] = {
      {"label text", label, [&] { label->SetText("Changed"); },
       [](const TSeen& s) { EXPECT_EQ(s.Text, "Changed"); }},
      {"radio text", radio, [&] { radio->SetText("Answer"); },
       [](const TSeen& s) { EXPECT_EQ(s.Text, "Answer"); }},
      {"group text", t.group.get(), [&] { t.group->SetText("Frame"); },
       [](const TSeen& s) { EXPECT_EQ(s.Text, "Frame"); }},
      {"panel text", panel, [&] { panel->SetText("Box"); },
       [](const TSeen& s) { EXPECT_EQ(s.Text, "Box"); }},
      {"form text", form, [&] { form->SetText("Title"); },
       [](const TSeen& s) { EXPECT_EQ(s.Text, "Title"); }},
      {"font", label, [&] { label->SetFont(big); },
       [&](const TSeen& s) {
         EXPECT_EQ(s.FontPixels, bigPixels);
         EXPECT_TRUE(s.Bold && s.Italic && s.Underline);
       }},
      {"font back", label, [&] { label->SetFont(green); },
       [&](const TSeen& s) {
         EXPECT_EQ(s.FontPixels, plainPixels);
         EXPECT_FALSE(s.Bold || s.Italic || s.Underline);
         EXPECT_EQ(s.TextColor, 0x008000u);
       }},
      {"colour", label, [&] { label->SetColor(0x112233); },
       [](const TSeen& s) { EXPECT_EQ(s.Color, 0x112233u); }},
      {"label right", label, [&] { label->SetAlignment(taRight); },
       [](const TSeen& s) { EXPECT_EQ(s.Alignment, taRight); }},
      {"label centre", label, [&] { label->SetAlignment(taCenter); },
       [](const TSeen& s) { EXPECT_EQ(s.Alignment, taCenter); }},
      {"label left", label, [&] { label->SetAlignment(taLeft); },
       [](const TSeen& s) { EXPECT_EQ(s.Alignment, taLeft); }},
      {"panel centre", panel, [&] { panel->SetAlignment(taCenter); },
       [](const TSeen& s) { EXPECT_EQ(s.Alignment, taCenter); }},
      {"hidden", label, [&] { label->SetVisible(false); },
       [](const TSeen& s) { EXPECT_FALSE(s.Visible); }},
      {"shown", label, [&] { label->SetVisible(true); },
       [](const TSeen& s) { EXPECT_TRUE(s.Visible); }},
      {"disabled", radio, [&] { radio->SetEnabled(false); },
       [](const TSeen& s) { EXPECT_FALSE(s.Enabled); }},
      {"enabled", radio, [&] { radio->SetEnabled(true); },
       [](const TSeen& s) { EXPECT_TRUE(s.Enabled); }},
      {"unchecked", radio, [&] { radio->SetChecked(false); },
       [](const TSeen& s) { EXPECT_FALSE(s.Checked); }},
      {"checked", radio, [&] { radio->SetChecked(true); },
       [](const TSeen& s) { EXPECT_TRUE(s.Checked); }},
      {"items", combo,
       [&] {
         for (const char* item : {"en", "ru", "de"})
           combo->AddItem(item);
       },
       [](const TSeen& s) {
         EXPECT_EQ(s.Items, (Strings{"en", "ru", "de"}));
         EXPECT_EQ(s.Selection, -1);
       }},
      {"selection", combo, [&] { combo->SetItemIndex(1); },
       [](const TSeen& s) { EXPECT_EQ(s.Selection, 1); }},
      {"no selection", combo, [&] { combo->SetItemIndex(-1); },
       [](const TSeen& s) { EXPECT_EQ(s.Selection, -1); }},
      {"items cleared", combo, [&] { combo->ClearItems(); },
       [](const TSeen& s) { EXPECT_TRUE(s.Items.empty()); }},
      {"label bounds", label, [&] { label->SetBounds(30, 200, 50, 25); },
       [](const TSeen& s) {
         EXPECT_EQ(std::vector<int>({s.Left, s.Top, s.Width, s.Height}),
                   std::vector<int>({30, 200, 50, 25}));
       }},
      {"bounds in a panel", t.inner.get(), [&] { t.inner->SetBounds(5, 6, 70, 22); },
       [](const TSeen& s) {
         EXPECT_EQ(std::vector<int>({s.Left, s.Top, s.Width, s.Height}),
                   std::vector<int>({5, 6, 70, 22}));
       }},
      {"form icon", form, [&] { form->SetIcon("ICON0"); },
       [](const TSeen& s) {
         if (TypeParam::kWindowIcon) {
           EXPECT_EQ(s.Icon, "ICON0");
         }
       }},
      {"no such icon", form, [&] { form->SetIcon("NOICON"); },
       [](const TSeen& s) {
         if (TypeParam::kWindowIcon) {
           EXPECT_EQ(s.Icon, "MAINICON");
         }
       }},
      {"form bounds", form, [&] { form->SetBounds(40, 50, 420, 310); },
       [](const TSeen& s) {
         EXPECT_EQ(std::vector<int>({s.Left, s.Top, s.Width, s.Height}),
                   std::vector<int>({40, 50, 420, 310}));
       }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    k.change();
    t.drv.Pump();
    k.check(t.drv.Seen(*k.c));
  }
}

TYPED_TEST_P(BackendConformance, InputReachesTheWindowUnderTheMouse) {
  auto& t = *this;
  auto& d = t.drv;
  TControl *label = t.label.get(), *other = t.other.get(), *inner = t.inner.get();
  struct Case {
    std::function<void()> input;
    std::string expect;
  };
  const Case cases[] = {
      {[&] { d.Move(*label, 5, 7); }, "Label: move 5,7 keys 0"},
      {[&] { d.Press(*label, 1, 5, 7); }, "Label: down 1 5,7 keys 1"},
      {[&] { d.Release(*label, 1, 5, 7); }, "Label: up 1 5,7 keys 0"},
      {[&] { d.Wheel(*label, -120, 6, 8); }, "Label: wheel -120 6,8"},
      {[&] { d.Move(*other, 3, 4); }, "Label: leave"},
      {[&] { d.Press(*other, 2, 3, 4); }, "Other: down 2 3,4 keys 2"},
      {[&] { d.Release(*other, 2, 3, 4); }, "Other: up 2 3,4 keys 0"},
      {[&] { d.Move(*inner, 4, 3); }, "Inner: move 4,3 keys 0"},
      {[&] { d.LeaveTo(*t.form, t.kBareX, t.kBareY); }, "Inner: leave"},
      {[] {}, "Form: move 380,250 keys 0"},
      {[&] { d.Key(*t.radio, 'A'); }, "Radio: key 65"},
      {[] {}, "Radio: keyup 65"},
  };
  for (const Case& k : cases) {
    k.input();
    d.Pump();
    EXPECT_TRUE(t.rec.Has(k.expect)) << k.expect;
  }
  // Nothing went to a window the mouse was not over, and each leave came once.
  EXPECT_TRUE(t.rec.Of("Group").empty());
  EXPECT_TRUE(t.rec.Of("Panel").empty());
  EXPECT_EQ(t.rec.Count("Label: leave"), 1);
  EXPECT_EQ(t.rec.Count("Inner: leave"), 1);
}

TYPED_TEST_P(BackendConformance, StackingFollowsTheLayer) {
  auto& t = *this;
  using Controls = std::vector<TControl*>;
  TControl *group = t.group.get(), *label = t.label.get(), *other = t.other.get();
  TControl* panel = t.panel.get();
  Controls siblings{group, label, other, panel};
  // A new window goes in front of its older siblings.
  EXPECT_EQ(t.drv.Stack(*t.form, siblings), (Controls{panel, other, label, group}));
  EXPECT_EQ(t.drv.Stack(*panel, {t.inner.get(), t.combo.get()}),
            (Controls{t.combo.get(), t.inner.get()}));
  label->BringToFront();
  EXPECT_EQ(t.drv.Stack(*t.form, siblings), (Controls{label, panel, other, group}));
  panel->SendToBack();
  EXPECT_EQ(t.drv.Stack(*t.form, siblings), (Controls{label, other, group, panel}));
  other->BringToFront();
  EXPECT_EQ(t.drv.Stack(*t.form, siblings), (Controls{other, label, group, panel}));
}

TYPED_TEST_P(BackendConformance, DestroyingAWindowTakesItsChildrenFirstAndSilencesThem) {
  auto& t = *this;
  t.radio->SetFocus();
  t.drv.Pump();
  EXPECT_TRUE(t.radio->Focused());
  t.rec.Log.clear();
  t.group->DestroyWindow();
  t.drv.Pump();
  EXPECT_FALSE(t.drv.Exists(*t.radio));
  EXPECT_FALSE(t.drv.Exists(*t.group));
  EXPECT_TRUE(t.drv.Exists(*t.label));
  EXPECT_TRUE(t.rec.Of("Radio").empty());  // not even the loss of the focus
  EXPECT_FALSE(t.rec.AnyLate());
  // Made again, the windows hold every stored property.
  t.panel->DestroyWindow();
  EXPECT_FALSE(t.drv.Exists(*t.inner));
  EXPECT_FALSE(t.drv.Exists(*t.combo));
  t.inner->SetText("Again");
  t.form->CreateWindowTree();
  t.drv.Pump();
  EXPECT_TRUE(t.drv.ChildOf(*t.radio, *t.group));
  EXPECT_TRUE(t.drv.ChildOf(*t.inner, *t.panel));
  EXPECT_EQ(t.drv.Seen(*t.inner).Text, "Again");
  EXPECT_TRUE(t.drv.Seen(*t.radio).Checked);
  // The whole tree goes with the application window.
  t.app->DestroyWindow();
  for (TControl* c : {t.app.get(), t.form.get(), t.group.get(), t.radio.get(), t.label.get(),
                      t.panel.get(), t.inner.get(), t.combo.get()})
    EXPECT_FALSE(t.drv.Exists(*c)) << c->Text();
  EXPECT_FALSE(t.rec.Has("Form: close"));
  EXPECT_FALSE(t.rec.AnyLate());
}

TYPED_TEST_P(BackendConformance, AWindowThatDisappearsUnderTheMouseGetsItsLeave) {
  auto& t = *this;
  using Lines = std::vector<std::string>;
  struct Case {
    const char* name;
    TControl* hovered;
    std::function<void()> disappear;
    Lines heard;  // by the hovered control
  };
  // Last: a control whose parent object is deleted hears nothing, as the parent hears nothing.
  const Case cases[] = {
      {"label hidden", t.label.get(), [&] { t.label->SetVisible(false); }, {"leave"}},
      {"its panel hidden", t.inner.get(), [&] { t.panel->SetVisible(false); }, {"leave"}},
      {"label destroyed", t.label.get(), [&] { t.label->DestroyWindow(); }, {"leave"}},
      {"its panel destroyed", t.inner.get(), [&] { t.panel->DestroyWindow(); }, {"leave"}},
      {"its panel deleted", t.inner.get(), [&] { t.panel.reset(); }, {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    t.label->SetVisible(true);
    t.panel->SetVisible(true);
    t.form->CreateWindowTree();
    t.drv.Move(*k.hovered, 5, 5);
    t.drv.Pump();
    t.rec.Log.clear();
    k.disappear();
    t.drv.Pump();
    EXPECT_EQ(t.rec.Of(k.hovered->Text()), k.heard);
    // The mouse moving on brings no second leave.
    t.drv.LeaveTo(*t.form, t.kBareX, t.kBareY);
    t.drv.Pump();
    EXPECT_EQ(t.rec.Of(k.hovered->Text()), k.heard);
  }
}

// Hover and the tool tip come after the mouse rests on the label, not before; leaving, a press
// and the tip's own auto-pop end them. The tip's delays lie well apart from the hover's so that
// a backend on a real clock has room on either side.
TYPED_TEST_P(BackendConformance, HoverAndTheTipComeOnceTheMouseRests) {
  auto& t = *this;
  auto& d = t.drv;
  TControl *label = t.label.get(), *other = t.other.get();
  TToolTipInfo info = label->ToolTip()->TipInfo();
  info.InitialDelay = 900;
  info.AutoPopDelay = 1200;
  label->ToolTip()->SetTipInfo(info);
  struct Case {
    const char* name;
    std::function<void()> input;
    int waitMs;
    int hovers;  // of the label, since the start
    bool tip;
  };
  const Case cases[] = {
      {"resting shortly", [&] { d.Move(*label, 5, 5); }, 150, 0, false},
      {"past the hover time", [] {}, 400, 1, false},
      {"past the tip's delay", [] {}, 600, 1, true},
      {"past the tip's auto-pop", [] {}, 1400, 1, false},
      {"off before the hover time",
       [&] {
         d.Move(*label, 6, 6);
         d.Wait(150);
         d.Move(*other, 5, 5);
       },
       1300, 1, false},
      {"back on, till the tip shows", [&] { d.Move(*label, 5, 5); }, 1200, 2, true},
      {"a press",
       [&] {
         d.Press(*label, 1, 5, 5);
         d.Release(*label, 1, 5, 5);
       },
       300, 2, false},
      {"off with the tip up",
       [&] {
         d.Move(*other, 5, 5);
         d.Move(*label, 5, 5);
         d.Wait(1200);
         d.LeaveTo(*t.form, t.kBareX, t.kBareY);
       },
       300, 3, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    k.input();
    d.Wait(k.waitMs);
    EXPECT_EQ(t.rec.Count("Label: hover"), k.hovers);
    EXPECT_EQ(label->ToolTip()->TipShown(), k.tip);
  }
  EXPECT_GE(t.rec.Count("Other: hover"), 1);
}

// Ctrl+C and Ctrl+V go to the top window's handler from any window in it, and only once one is
// set; the clipboard gives back the text put on it, line ends and non-ASCII included.
TYPED_TEST_P(BackendConformance, EditShortcutsAndTheClipboard) {
  auto& t = *this;
  auto& d = t.drv;
  std::vector<std::string> taken;
  struct Case {
    TControl* c;
    int key;
    bool ctrl, handler;
    const char* expect;  // what reached the window, or the handler
  };
  const Case cases[] = {
      {t.radio.get(), 'C', true, true, "copy"},
      {t.combo.get(), 'V', true, true, "paste"},
      {t.label.get(), 'V', true, true, "paste"},
      {t.radio.get(), 'C', false, true, "Radio: key 67"},
      {t.radio.get(), 'X', true, true, "Radio: key 88"},
      {t.radio.get(), 'C', true, false, "Radio: key 67"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.expect);
    taken.clear();
    t.rec.Log.clear();
    t.form->SetEditShortcuts(
        k.handler
            ? [&taken](
                  TEditShortcut s) { taken.push_back(s == TEditShortcut::Copy ? "copy" : "paste"); }
            : std::function<void(TEditShortcut)>());
    k.ctrl ? d.CtrlKey(*k.c, k.key) : d.Key(*k.c, k.key);
    d.Pump();
    std::string expect = k.expect;
    if (expect.find(':') == std::string::npos) {
      EXPECT_EQ(taken, std::vector<std::string>{expect});
      EXPECT_EQ(t.rec.Count(k.c->Text() + ": key " + std::to_string(k.key)), 0);
    } else {
      EXPECT_TRUE(taken.empty());
      EXPECT_TRUE(t.rec.Has(expect));
    }
  }
  t.form->SetEditShortcuts({});
  for (const char* text : {"Gender: Male\n\n1.0.0.0.0\n", "\xD0\xA1\xD0\xB8\xD0\xBB\xD0\xB0: 6\n",
                           "no line end", "a\n\nb\n"}) {
    d.Backend().SetClipboardText(text);
    d.Pump();
    EXPECT_EQ(d.Backend().ClipboardText(), text);
  }
}

TYPED_TEST_P(BackendConformance, AssistiveTechnologyHearsRoleNameAndState) {
  auto& t = *this;
  auto& d = t.drv;
  if (!TypeParam::kAccess) GTEST_SKIP() << "this backend tells assistive technology nothing yet";
  // A button with a tool tip, a row item named by itself and a hidden value, a dialog and a
  // combo box named by a label, an answer described by what it would change.
  t.label->SetAccessRole(TAccessRole::Button);
  t.other->SetAccessRole(TAccessRole::Item);
  t.inner->SetAccessRole(TAccessRole::Hidden);
  t.other->SetAccessLabels({t.other.get(), t.inner.get()});
  t.panel->SetAccessRole(TAccessRole::Dialog);
  t.panel->SetAccessLabels({t.label.get()});
  t.combo->SetAccessLabels({t.inner.get()});
  t.radio->SetAccessDescription([] { return std::string("Strength +1"); });
  d.Pump();
  if constexpr (requires { d.AccessUnheard(*t.radio); }) {
    if (std::string why = d.AccessUnheard(*t.radio); !why.empty()) GTEST_SKIP() << why;
  }
  struct Case {
    const char* step;
    TControl* c;
    TAccessSeen want;
  };
  const Case cases[] = {
      {"start", t.form.get(), {"window", "Form", -1, ""}},
      {"start", t.group.get(), {"group", "Group", -1, ""}},
      {"start", t.radio.get(), {"radio button", "Radio", 1, "Strength +1"}},
      {"start", t.label.get(), {"button", "Label", -1, "Tip"}},
      {"start", t.other.get(), {"item", "Other Inner", -1, ""}},
      {"start", t.inner.get(), {"hidden", "Inner", -1, ""}},
      {"start", t.panel.get(), {"dialog", "Label", -1, ""}},
      {"start", t.combo.get(), {"combo box", "Inner", -1, ""}},
      {"changed", t.radio.get(), {"radio button", "Answer", 0, "Strength +1"}},
      {"changed", t.other.get(), {"item", "Other 7", -1, ""}},
      {"changed", t.combo.get(), {"combo box", "7", -1, ""}},
  };
  std::string step;
  for (const Case& k : cases) {
    if (k.step != step && (step = k.step) == "changed") {
      t.radio->SetChecked(false);
      t.radio->SetText("Answer");
      t.inner->SetText("7");
    }
    d.Pump();
    TAccessSeen seen = d.Access(*k.c);
    SCOPED_TRACE(step + ": " + k.want.Role + " " + k.want.Name);
    EXPECT_EQ(seen.Role, k.want.Role);
    EXPECT_EQ(seen.Name, k.want.Name);
    EXPECT_EQ(seen.Checked, k.want.Checked);
    EXPECT_EQ(seen.Description, k.want.Description);
  }
}

REGISTER_TYPED_TEST_SUITE_P(BackendConformance, EveryControlKindGetsItsNativeWindow,
                            EveryChangeIsAppliedAndReadBack, InputReachesTheWindowUnderTheMouse,
                            StackingFollowsTheLayer,
                            DestroyingAWindowTakesItsChildrenFirstAndSilencesThem,
                            AWindowThatDisappearsUnderTheMouseGetsItsLeave,
                            HoverAndTheTipComeOnceTheMouseRests, EditShortcutsAndTheClipboard,
                            AssistiveTechnologyHearsRoleNameAndState);
