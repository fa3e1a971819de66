// Window and control elements on the headless backend, driven by the simulator.
#include "controls/font.h"
#include "controls/groupbox.h"
#include "controls/hintmanager.h"
#include "controls/label.h"
#include "controls/mainform.h"
#include "controls/panel.h"
#include "controls/radiobutton.h"
#include "controls/winlist.h"
#include "tests/support/ui_fixture.h"

namespace {

// A form with a group of three radio buttons, as a choice group builds it.
struct RadioGroup {
  THIMainForm form;
  THIGroupBox frame{form.Control};
  std::vector<std::unique_ptr<THIRadioButton>> buttons;
  Probe selected[3];

  RadioGroup() {
    form.Width = 300;
    form.Height = 200;
    form.Init();
    frame.Left = 5;
    frame.Top = 5;
    frame.Width = 185;
    frame.Height = 100;
    frame.SetCaption("Question");
    frame.Init();
    for (int k = 0; k < 3; ++k) {
      auto b = std::make_unique<THIRadioButton>(frame.Control);
      b->Left = 5;
      b->Top = 15 + 15 * k;
      b->Width = 175;
      b->Height = 16;
      b->SetCaption("answer " + std::to_string(k));
      b->SetSelected(k == 0 ? 0 : 1);
      b->onSelect = selected[k].work();
      b->Init();
      buttons.push_back(std::move(b));
    }
    form.Control->SetVisible(true);
  }
  ~RadioGroup() {
    // Elements go in reverse creation order, as a scheme destroys them.
    while (!buttons.empty())
      buttons.pop_back();
  }
  std::vector<bool> Checks() const {
    std::vector<bool> r;
    for (auto& b : buttons)
      r.push_back(b->Control->Checked());
    return r;
  }
};

}  // namespace

using ControlsTest = UiTest;

TEST_F(ControlsTest, RadioGroupClicksAreExclusiveAndAlwaysReported) {
  RadioGroup g;
  EXPECT_EQ(g.Checks(), (std::vector<bool>{true, false, false}));
  TSimulator sim;
  sim.Click(*g.buttons[2]->Control);
  EXPECT_EQ(g.Checks(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(g.selected[2].count(), 1u);
  // A click on the checked button reports again.
  sim.Click(*g.buttons[2]->Control);
  EXPECT_EQ(g.selected[2].count(), 2u);
  EXPECT_EQ(g.selected[2].kinds[1], data_null);
  EXPECT_EQ(g.selected[0].count() + g.selected[1].count(), 0u);

  TData checked;
  g.buttons[2]->GetChecked(checked, 0);
  EXPECT_EQ(ToInteger(checked), 1);
  g.buttons[0]->GetChecked(checked, 0);
  EXPECT_EQ(ToInteger(checked), 0);
}

TEST_F(ControlsTest, DoSelectZeroUnchecksSilentlyOtherValuesClick) {
  RadioGroup g;
  TData zero = MakeInteger(0);
  g.buttons[0]->doSelect(zero, 0);
  EXPECT_EQ(g.Checks(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(g.selected[0].count(), 0u);

  TData empty;
  g.buttons[1]->doSelect(empty, 0);  // an empty value clicks
  EXPECT_EQ(g.Checks(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(g.selected[1].count(), 1u);

  TData text = MakeString("0");  // only the integer 0 unchecks
  g.buttons[1]->doSelect(text, 0);
  EXPECT_EQ(g.Checks(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(g.selected[1].count(), 2u);

  TData one = MakeInteger(1);
  g.buttons[0]->doSelect(one, 0);
  EXPECT_EQ(g.Checks(), (std::vector<bool>{true, false, false}));
}

TEST_F(ControlsTest, SelectedPropertySetsTheStartState) {
  THIMainForm form;
  form.Init();
  THIGroupBox frame(form.Control);
  frame.Init();
  THIRadioButton a(frame.Control), b(frame.Control);
  a.SetSelected(1);  // the first button is checked at creation; Selected 1 unchecks it
  b.SetSelected(0);
  a.Init();
  b.Init();
  EXPECT_FALSE(a.Control->Checked());
  EXPECT_TRUE(b.Control->Checked());
}

TEST_F(ControlsTest, MouseMoveReportsTheButtonOfThePreviousNotification) {
  RadioGroup g;
  Probe moves, downs, ups;
  THIRadioButton& b = *g.buttons[1];
  b.onMouseMove = moves.work();
  b.onMouseDown = downs.work();
  b.onMouseUp = ups.work();
  TSimulator sim;
  sim.MoveTo(*b.Control);
  sim.MoveTo(*b.Control, 10, 3);
  sim.Press(1);
  sim.MoveTo(*b.Control, 12, 3);  // the previous notification held the left button
  sim.MoveTo(*b.Control, 13, 3);
  sim.Release(1);
  sim.MoveTo(*b.Control, 14, 3);  // released at the previous notification
  sim.Press(2);
  sim.MoveTo(*b.Control, 15, 3);
  sim.Release(2);
  sim.Press(3);
  sim.MoveTo(*b.Control, 16, 3);
  EXPECT_EQ(moves.got, (std::vector<std::string>{"-1", "-1", "0", "0", "-1", "1", "2"}));
  EXPECT_EQ(downs.got, (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(ups.got, (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(b.LastMouse().X, 16);
}

TEST_F(ControlsTest, LabelHoverStylesAndRestores) {
  THIMainForm form;
  form.Width = 300;
  form.Height = 200;
  form.Init();
  THILabel label(form.Control);
  label.Left = 125;
  label.Top = 160;
  label.Width = 115;
  label.Height = 20;
  label.Font.Size = 10;
  label.Font.Style = fsBold;
  label.Font.Color = 0x000080;
  label.HoverColor = 0x008000;
  label.HoverCursor = crHand;
  label.HoverUnderline = 1;
  label.Caption = "Clear";
  label.SetAlignment(taCenter);
  label.Init();
  THILabel plain(form.Control);
  plain.Left = 10;
  plain.Top = 10;
  plain.Width = 50;
  plain.Height = 17;
  plain.Init();
  form.Control->SetVisible(true);
  EXPECT_EQ(label.Control->Text(), "Clear");
  EXPECT_EQ(label.Control->Alignment(), taCenter);

  TSimulator sim;
  sim.MoveTo(*label.Control);
  EXPECT_EQ(label.Control->Font().Color, 0x008000u);
  EXPECT_EQ(label.Control->Font().Style, fsBold | fsUnderline);
  EXPECT_EQ(label.Control->Cursor(), crHand);
  sim.MoveTo(*plain.Control);  // leaving the label
  EXPECT_EQ(label.Control->Font().Color, 0x000080u);
  EXPECT_EQ(label.Control->Font().Style, fsBold);
  EXPECT_EQ(label.Control->Cursor(), 0);

  // No hover colour and no underline: nothing changes on mouse-over.
  TFontRec before = plain.Control->Font();
  sim.MoveTo(*plain.Control, 3, 3);
  sim.Hover();
  EXPECT_EQ(plain.Control->Font(), before);
  sim.Leave();
  EXPECT_EQ(plain.Control->Font(), before);

  // A highlight font set while hovering keeps its style; leaving restores the hover colour only.
  sim.MoveTo(*label.Control);
  TFontRec bold;
  bold.Style = fsBold;
  bold.Color = 255;
  TData f;
  SetFont(f, &bold);
  label.doFont(f, 0);
  EXPECT_EQ(label.Control->Font().Color, 255u);
  sim.Leave();
  EXPECT_EQ(label.Control->Font().Color, 0x000080u);
}

TEST_F(ControlsTest, LabelTextAutoSizeAndClick) {
  THIMainForm form;
  form.Width = 200;
  form.Height = 100;
  form.Init();
  THILabel fixed(form.Control), sized(form.Control);
  for (THILabel* l : {&fixed, &sized}) {
    l->Width = 22;
    l->Height = 18;
  }
  Probe clicks;
  fixed.onClick = clicks.work();
  fixed.Init();
  sized.SetAutoSize(true);
  sized.Init();
  form.Control->SetVisible(true);

  Send<&THILabel::doText>(&fixed, MakeInteger(-12345));
  Send<&THILabel::doText>(&sized, MakeInteger(-12345));
  EXPECT_EQ(fixed.Control->Text(), "-12345");
  EXPECT_EQ(fixed.Control->Width(), 22);
  EXPECT_EQ(fixed.Control->Height(), 18);
  TSize ext = sized.Control->MeasureText("-12345");
  EXPECT_EQ(sized.Control->Width(), ext.Width);
  EXPECT_GT(sized.Control->Width(), 22);

  // An empty value with no Text point: the empty string.
  TData empty;
  fixed.doText(empty, 0);
  EXPECT_EQ(fixed.Control->Text(), "");
  // The Text point, when linked, wins over the incoming value.
  IntSource src;
  src.value = 7;
  fixed.TextPoint = src.point();
  TData other = MakeString("x");
  fixed.doText(other, 0);
  EXPECT_EQ(fixed.Control->Text(), "7");

  TSimulator sim;
  sim.Click(*fixed.Control);
  ASSERT_EQ(clicks.count(), 1u);
  EXPECT_EQ(clicks.kinds[0], data_null);
}

TEST_F(ControlsTest, WindowWorkPoints) {
  THIMainForm form;
  form.Init();
  THIPanel panel(form.Control);
  panel.Visible = 0;
  panel.Align = 5;
  panel.EdgeStyle = 1;
  panel.Init();
  THILabel label(form.Control);
  label.Init();
  EXPECT_FALSE(panel.Control->Visible());
  EXPECT_TRUE(panel.Control->HasWindow());
  EXPECT_TRUE(panel.Control->ExStyle() & wsex::ClientEdge);

  TData one = MakeInteger(1), zero = MakeInteger(0), text = MakeString("0"), null;
  panel.doVisible(one, 0);
  EXPECT_TRUE(panel.Control->Visible());
  panel.doVisible(zero, 0);
  EXPECT_FALSE(panel.Control->Visible());
  panel.doVisible(text, 0);  // only the integer 0 is false
  EXPECT_TRUE(panel.Control->Visible());
  panel.doVisible(null, 0);
  EXPECT_TRUE(panel.Control->Visible());
  panel.doVisible(zero, 0);

  panel.doBringToFront(null, 0);
  EXPECT_EQ(form.Control->Children().front(), panel.Control);
  EXPECT_TRUE(panel.Control->Visible());
  panel.doSendToBack(null, 0);
  EXPECT_EQ(form.Control->Children().back(), panel.Control);

  // doFont takes only Font values.
  TFontRec f;
  f.Name = "Tahoma";
  f.Size = 12;
  f.Style = fsItalic;
  f.Color = 128;
  f.CharSet = 204;
  TData fd;
  SetFont(fd, &f);
  label.doFont(fd, 0);
  EXPECT_EQ(label.Control->Font(), f);
  TData s = MakeString("Arial");
  label.doFont(s, 0);
  EXPECT_EQ(label.Control->Font(), f);
}

TEST_F(ControlsTest, ParentFontAndDefaults) {
  THIMainForm form;
  form.Color = 0xF0FBFF;
  form.Font.CharSet = 204;
  form.Init();
  THILabel child(form.Control);
  EXPECT_EQ(child.Color, 0xF0FBFFu);  // the parent's colour by default
  child.ParentFont = 1;
  child.Font.Size = 20;
  child.Init();
  EXPECT_EQ(child.Control->Font().CharSet, 204);
  EXPECT_EQ(child.Control->Font().Size, 8);
  EXPECT_EQ(child.Control->Color(), 0xF0FBFFu);
}

TEST_F(ControlsTest, ComboBoxListOperations) {
  THIMainForm form;
  form.Init();
  THIComboBox box(form.Control);
  box.DataType = 1;
  Probe changes, clicks;
  box.onChange = changes.work();
  box.onClick = clicks.work();
  box.Init();
  form.Control->SetVisible(true);
  EXPECT_EQ(box.Control->Text(), "ComboBox");

  for (const char* s : {"en", "ru", "pt", "Ru-old"}) {
    Send<&THIWinList::doAdd>(&box, MakeString(s));
  }
  EXPECT_EQ(box.Control->Items(), (std::vector<std::string>{"en", "ru", "pt", "Ru-old"}));
  EXPECT_EQ(changes.got, (std::vector<std::string>{"en", "ru", "pt", "Ru-old"}));

  auto select = [&](const char* s) {
    TData d = MakeString(s);
    box.doSelectString(d, 0);
    return box.Control->ItemIndex();
  };
  EXPECT_EQ(select("RU"), 1);  // whole text, letter case ignored
  EXPECT_EQ(select(""), 1);    // empty: nothing changes
  EXPECT_EQ(select("ru-*"), 3);
  EXPECT_EQ(select("P*"), 2);
  EXPECT_EQ(select("r"), -1);     // no match leaves nothing selected
  EXPECT_EQ(select("ru*x"), 1);   // a tail after the "*" still searches by prefix
  EXPECT_EQ(select("en*en"), 0);  // equal head and tail: a whole-text search
  EXPECT_EQ(select("e*e"), -1);
  EXPECT_EQ(clicks.count(), 0u);  // selecting never clicks

  TSimulator sim;
  ASSERT_TRUE(sim.PickItem(*box.Control, 2));
  ASSERT_EQ(clicks.count(), 1u);
  EXPECT_EQ(clicks.got[0], "pt,0");  // the text, then the item's number
  box.DataType = 0;
  sim.PickItem(*box.Control, 3);
  EXPECT_EQ(clicks.got[1], "3,0");
  EXPECT_FALSE(sim.PickItem(*box.Control, 9));

  Send<&THIWinList::doClear>(&box, MakeInteger(5));
  EXPECT_EQ(box.Control->ItemCount(), 0);
  EXPECT_EQ(changes.got.back(), "5");

  // The string point feeds doAdd when linked.
  IntSource src;
  src.value = 42;
  box.StrPoint = src.point();
  Send<&THIWinList::doAdd>(&box, MakeString("zz"));
  EXPECT_EQ(box.Control->Item(0), "42");
  EXPECT_EQ(changes.got.back(), "zz");
}

TEST_F(ControlsTest, ComboItemsFromTextLines) {
  THIComboBox box(nullptr);
  box.SetItemsText("a\r\nb\rc\nd\r\n");
  EXPECT_EQ(box.CopyItems(), (std::vector<std::string>{"a", "b", "c\nd"}));
  EXPECT_EQ(box.ItemsText(), "a\r\nb\r\nc\nd\r\n");
  box.SetItemText(1, "B");
  EXPECT_EQ(box.Control->Item(1), "B");
}

TEST_F(ControlsTest, HintManagerGivesTheLabelATip) {
  THIMainForm form;
  form.Width = 300;
  form.Height = 100;
  form.Init();
  THILabel warn(form.Control);
  warn.Left = 95;
  warn.Width = 24;
  warn.Height = 17;
  warn.Hint = "line one\r\nline two";
  warn.HintTitle = "Title";
  warn.HintIcon = 2;
  warn.HoverColor = 255;
  warn.Init();
  THILabel other(form.Control);
  other.Left = 200;
  other.Width = 30;
  other.Height = 17;
  other.Init();
  THIHintManager hints;
  hints.Balloon = 1;
  hints.InitialDelay = 500;
  hints.AutoPopDelay = 10000;
  hints.Font.Name = "Tahoma";
  warn.AttachHints(&hints);
  other.AttachHints(nullptr);
  form.Control->SetVisible(true);

  TControl* tip = warn.Control->ToolTipIfAny();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(other.Control->ToolTipIfAny(), nullptr);
  EXPECT_EQ(tip->TipInfo().Text, "line one\r\nline two");
  EXPECT_EQ(tip->TipInfo().Title, "Title");
  EXPECT_EQ(tip->TipInfo().Icon, 2);
  EXPECT_FALSE(tip->TipInfo().Balloon);
  EXPECT_EQ(tip->TipInfo().AutoPopDelay, 10000);
  EXPECT_EQ(tip->TipInfo().Font.Name, "Tahoma");
  EXPECT_TRUE(tip->HasWindow());

  TSimulator sim;
  sim.MoveTo(*warn.Control);
  EXPECT_FALSE(tip->TipShown());
  sim.Hover();
  EXPECT_TRUE(tip->TipShown());
  EXPECT_EQ(warn.Control->Font().Color, 255u);
  sim.MoveTo(*other.Control);
  EXPECT_FALSE(tip->TipShown());
  EXPECT_EQ(warn.Control->Font().Color, 0u);

  TData m;
  hints.GetManager(m, 0);
  EXPECT_EQ(m.Ref, static_cast<TToolTipService*>(&hints));
}

TEST_F(ControlsTest, FontElementReadsEachFieldWithItsDefault) {
  THIFont regular, bold;
  regular.Font.CharSet = 204;
  bold.Font.Style = fsBold;
  bold.Font.CharSet = 204;
  Probe sink;
  TFontRec seen;
  struct Catch : THIBase {
    TFontRec* out;
    void doFont(TData& d, uint16_t) {
      if (d.Kind == data_font) *out = *static_cast<TFontRec*>(d.Ref);
    }
  } c;
  c.out = &seen;
  bold.onFont = MakeEvent<&Catch::doFont>(&c);
  // The colour defaults to 0, so it takes the incoming value; the others keep their defaults.
  TData k = MakeInteger(3);
  bold.doFont(k, 0);
  EXPECT_EQ(seen.Color, 3u);
  EXPECT_EQ(seen.Style, fsBold);
  EXPECT_EQ(seen.Size, 8);
  EXPECT_EQ(seen.Name, "MS Sans Serif");
  EXPECT_EQ(seen.CharSet, 204);
  // A linked colour point answers.
  IntSource colour;
  colour.value = 16711680;
  bold.ColorPoint = colour.point();
  TData k2 = MakeInteger(4);
  bold.doFont(k2, 0);
  EXPECT_EQ(seen.Color, 16711680u);
  // The font reaches a window through doFont.
  THILabel label(nullptr);
  bold.onFont = MakeEvent<&THIWin::doFont>(&label);
  bold.doFont(k2, 0);
  EXPECT_EQ(label.Control->Font().Style, fsBold);
  EXPECT_EQ(label.Control->Font().Color, 16711680u);
  (void)sink;
  (void)regular;
}

TEST_F(ControlsTest, TabMovesAmongTabStops) {
  THIMainForm form;
  form.Init();
  THIRadioButton a(form.Control), b(form.Control), c(form.Control);
  a.TabOrder = 2;
  b.TabOrder = 1;
  c.TabOrder = 0;  // not a tab stop
  for (THIRadioButton* r : {&a, &b, &c})
    r->Init();
  form.Control->SetTabNavigation(true);
  form.Control->SetVisible(true);
  Probe enterA, exitA;
  a.onEnter = enterA.work();
  a.onExit = exitA.work();
  b.Control->SetFocus();
  TSimulator sim;
  sim.PressKey(9);
  EXPECT_TRUE(a.Control->Focused());
  EXPECT_EQ(enterA.count(), 1u);
  sim.PressKey(9);
  EXPECT_TRUE(b.Control->Focused());
  EXPECT_EQ(exitA.count(), 1u);
  sim.PressKey(9, true);
  EXPECT_TRUE(a.Control->Focused());
  Probe keys;
  a.onKeyDown = keys.work();
  sim.PressKey(65);
  EXPECT_EQ(keys.got, (std::vector<std::string>{"65"}));
}

TEST_F(ControlsTest, StaticsClickOnButtonDownRadioButtonsOnButtonUp) {
  THIMainForm form;
  form.Width = 300;
  form.Height = 100;
  form.Init();
  THILabel label(form.Control);
  THIRadioButton radio(form.Control);
  label.Width = radio.Width = 60;
  label.Height = radio.Height = 16;
  radio.Top = 40;
  Probe labelLog, radioLog;
  label.onMouseDown = label.onMouseUp = label.onClick = labelLog.work();
  radio.onMouseDown = radio.onMouseUp = radio.onSelect = radioLog.work();
  label.Init();
  radio.Init();
  form.Control->SetVisible(true);
  TSimulator sim;
  sim.Click(*label.Control);
  sim.Click(*radio.Control);
  EXPECT_EQ(labelLog.kinds, (std::vector<int>{data_int, data_null, data_int}));
  EXPECT_EQ(radioLog.kinds, (std::vector<int>{data_int, data_int, data_null}));
  // A right click presses and releases but clicks nothing.
  sim.Click(*radio.Control, 2);
  EXPECT_EQ(radioLog.got.size(), 5u);
  EXPECT_EQ(radioLog.got[3], "1");
}
