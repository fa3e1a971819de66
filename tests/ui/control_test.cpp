// The window layer itself: tree, z-order, radio sets, combo find, docking, hit testing.
#include "ui/control.h"

#include "tests/support/ui_fixture.h"

using ControlTest = UiTest;

TEST_F(ControlTest, ChildrenKeepCreationOrderAndZOrderMoves) {
  TControl form(TControlKind::Form, nullptr);
  TControl a(TControlKind::Label, &form), b(TControlKind::Label, &form),
      c(TControlKind::Panel, &form);
  ASSERT_EQ(form.Children(), (std::vector<TControl*>{&a, &b, &c}));
  EXPECT_EQ(a.Id(), 1);
  EXPECT_EQ(c.Id(), 3);
  c.SetVisible(false);
  c.BringToFront();
  EXPECT_EQ(form.Children().front(), &c);
  EXPECT_TRUE(c.Visible());  // bringing to front shows
  c.SendToBack();
  EXPECT_EQ(form.Children().back(), &c);
  EXPECT_TRUE(c.Visible());
}

TEST_F(ControlTest, FirstRadioOfEachParentStartsChecked) {
  TControl form(TControlKind::Form, nullptr);
  TControl g1(TControlKind::GroupBox, &form), g2(TControlKind::GroupBox, &form);
  TControl label(TControlKind::Label, &g1);
  TControl r1(TControlKind::RadioButton, &g1), r2(TControlKind::RadioButton, &g1),
      r3(TControlKind::RadioButton, &g1);
  TControl s1(TControlKind::RadioButton, &g2), s2(TControlKind::RadioButton, &g2);
  EXPECT_TRUE(r1.Checked());
  EXPECT_FALSE(r2.Checked());
  EXPECT_FALSE(r3.Checked());
  EXPECT_TRUE(s1.Checked());
  EXPECT_FALSE(s2.Checked());
  EXPECT_EQ(g1.FirstRadioId(), r1.Id());
  EXPECT_EQ(g1.LastRadioId(), r3.Id());

  // CheckRadioButton touches only its own parent's range.
  g1.CheckRadioButton(g1.FirstRadioId(), g1.LastRadioId(), r3.Id());
  EXPECT_FALSE(r1.Checked());
  EXPECT_FALSE(r2.Checked());
  EXPECT_TRUE(r3.Checked());
  EXPECT_TRUE(s1.Checked());
  // A button outside the range keeps its state; the checked one is checked regardless.
  g1.CheckRadioButton(r2.Id(), r2.Id(), r1.Id());
  EXPECT_TRUE(r1.Checked());
  EXPECT_TRUE(r3.Checked());
}

TEST_F(ControlTest, ComboFindIgnoresCaseAndSupportsPrefix) {
  TControl form(TControlKind::Form, nullptr);
  TControl combo(TControlKind::ComboBox, &form);
  combo.AddItem("en");
  combo.AddItem("Russian");
  combo.AddItem("ru");
  EXPECT_EQ(combo.FindItem("RU", false), 2);
  EXPECT_EQ(combo.FindItem("ru", true), 1);  // the first item starting with it
  EXPECT_EQ(combo.FindItem("russ", false), -1);
  EXPECT_EQ(combo.FindItem("", true), 0);
  EXPECT_EQ(combo.FindItem("", false), -1);
  EXPECT_EQ(combo.FindItem("english", true), -1);
  combo.SetItemIndex(2);
  EXPECT_EQ(combo.ItemIndex(), 2);
  combo.SetItemIndex(7);
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.SetItemIndex(1);
  combo.ClearItems();
  EXPECT_EQ(combo.ItemCount(), 0);
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Item(0), "");
}

TEST_F(ControlTest, SortedComboInsertsInOrderAndKeepsSelection) {
  TControl combo(TControlKind::ComboBox, nullptr);
  combo.SetSorted(true);
  combo.AddItem("pt");
  combo.SetItemIndex(0);
  EXPECT_EQ(combo.AddItem("EN"), 0);
  EXPECT_EQ(combo.AddItem("ru"), 2);
  EXPECT_EQ(combo.Items(), (std::vector<std::string>{"EN", "pt", "ru"}));
  EXPECT_EQ(combo.Item(combo.ItemIndex()), "pt");
}

TEST_F(ControlTest, FillDockFollowsTheParentsClientArea) {
  TControl form(TControlKind::Form, nullptr);
  form.SetStyle(0x00C20000, 0);
  form.SetBounds(0, 0, 555, 445);
  TControl panel(TControlKind::Panel, &form);
  panel.SetBounds(3, 3, 10, 10);
  panel.SetAlign(5);
  TSize cs = form.ClientSize();
  EXPECT_EQ(panel.Left(), 0);
  EXPECT_EQ(panel.Width(), cs.Width);
  EXPECT_EQ(panel.Height(), cs.Height);
  form.SetSize(600, 500);
  EXPECT_EQ(panel.Width(), form.ClientSize().Width);
  TControl top(TControlKind::Panel, &form);
  top.SetBounds(0, 0, 5, 40);
  top.SetAlign(1);
  EXPECT_EQ(top.Width(), form.ClientSize().Width);
  EXPECT_EQ(panel.Top(), 40);
  EXPECT_EQ(panel.Height(), form.ClientSize().Height - 40);
}

TEST_F(ControlTest, HitTestingFollowsZOrderAndFallsThroughGroupBoxes) {
  TControl form(TControlKind::Form, nullptr);
  form.SetBounds(0, 0, 300, 300);
  TControl group(TControlKind::GroupBox, &form);
  group.SetBounds(10, 10, 100, 100);
  TControl inner(TControlKind::Label, &group);
  inner.SetBounds(5, 15, 50, 16);
  EXPECT_EQ(form.ChildAt(20, 30), &inner);
  EXPECT_EQ(form.ChildAt(80, 80), &form);  // the frame lets the mouse through
  TControl cover(TControlKind::Panel, &form);
  cover.SetBounds(0, 0, 300, 300);
  cover.SetVisible(false);
  EXPECT_EQ(form.ChildAt(20, 30), &inner);
  cover.BringToFront();
  EXPECT_EQ(form.ChildAt(20, 30), &cover);
  cover.SendToBack();
  EXPECT_EQ(form.ChildAt(20, 30), &inner);
  inner.SetEnabled(false);
  EXPECT_EQ(form.ChildAt(20, 30), &cover);
}

TEST_F(ControlTest, DestroyingInAnyOrderLeavesNothingBehind) {
  {
    auto* form = new TControl(TControlKind::Form, nullptr);
    auto* group = new TControl(TControlKind::GroupBox, form);
    auto* r = new TControl(TControlKind::RadioButton, group);
    r->ToolTip();
    form->CreateWindowTree();
    EXPECT_TRUE(r->HasWindow());
    EXPECT_TRUE(r->ToolTipIfAny()->HasWindow());
    // The parent goes first: the children become orphans without windows.
    delete group;
    EXPECT_EQ(r->Parent(), nullptr);
    EXPECT_FALSE(r->HasWindow());
    EXPECT_EQ(form->Children().size(), 0u);
    delete form;
    delete r;
  }
  EXPECT_EQ(LiveControls(), 0);
  EXPECT_FALSE(HeadlessBackend().Exists(nullptr));
}

TEST_F(ControlTest, ChangesReachTheBackendOnlyWhenSomethingChanged) {
  TControl form(TControlKind::Form, nullptr);
  TControl label(TControlKind::Label, &form);
  label.SetText("a");  // no window yet: nothing to apply
  EXPECT_EQ(HeadlessBackend().ApplyCount(chText), 0u);
  form.CreateWindowTree();
  label.SetText("a");
  EXPECT_EQ(HeadlessBackend().ApplyCount(chText), 0u);
  label.SetText("b");
  label.SetFontStyle(fsBold);
  label.SetFontStyle(fsBold);
  EXPECT_EQ(HeadlessBackend().ApplyCount(chText), 1u);
  EXPECT_EQ(HeadlessBackend().ApplyCount(chFont), 1u);
}

TEST_F(ControlTest, FontHeightAndColours) {
  EXPECT_EQ(FontHeightFor(8, 96), -11);
  EXPECT_EQ(FontHeightFor(10, 96), -13);
  EXPECT_EQ(FontHeightFor(8, 144), -16);
  EXPECT_EQ(ResolveColor(15793151), 0xF0FBFFu);
  EXPECT_EQ(ResolveColor(clWindow), 0xFFFFFFu);
  EXPECT_EQ(ResolveColor(clInfoBk), 0xE1FFFFu);
  EXPECT_EQ(RedOf(65025), 1);
  EXPECT_EQ(GreenOf(65025), 254);
  EXPECT_EQ(BlueOf(16711680), 255);
}
