// The Qt backend under the offscreen platform: a form with every control kind is rendered and
// driven with synthetic input.
#define QTEST_QPA_MOUSE_HANDLING
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "controls/groupbox.h"
#include "controls/hintmanager.h"
#include "controls/label.h"
#include "controls/mainform.h"
#include "controls/panel.h"
#include "controls/radiobutton.h"
#include "controls/winlist.h"
#include "elements/translator.h"
#include "tests/support/qt_offscreen.h"
#include "tests/support/ui_fixture.h"
#include "ui/backends/qt/backend_qt.h"

// fontconfig keeps its pattern cache for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace {

constexpr uint32_t kCream = 15793151;  // 0xF0FBFF

struct Sheet {
  THIMainForm form;
  THIGroupBox frame{form.Control};
  THIRadioButton r0{frame.Control}, r1{frame.Control}, r2{frame.Control};
  THILabel name{form.Control}, value{form.Control}, clipped{form.Control}, action{form.Control};
  THILabel warn{form.Control};
  THIHintManager hints;
  THIPanel panel{form.Control};
  THIComboBox combo{panel.Control};
  Probe moves, selects, clicks, picks, closed;

  void Common(THIWin& w, int l, int t, int wd, int h) {
    w.Left = l;
    w.Top = t;
    w.Width = wd;
    w.Height = h;
    w.Color = kCream;
  }

  Sheet() {
    Common(form, 0, 0, 555, 445);
    form.Font.CharSet = 204;
    form.SetCaption("Sheet");
    form.SetBorderStyle(1);
    form.onClose = closed.work();
    form.Init();

    Common(frame, 5, 115, 185, 80);
    frame.SetCaption("Question");
    frame.Init();
    int k = 0;
    for (THIRadioButton* r : {&r0, &r1, &r2}) {
      Common(*r, 5, 15 + 15 * k, 175, 16);
      r->SetCaption(k == 0 ? "Unknown" : k == 1 ? "First answer" : "Second answer");
      r->SetSelected(k == 0 ? 0 : 1);
      ++k;
    }
    r1.onMouseMove = moves.work();
    r2.onSelect = selects.work();
    for (THIRadioButton* r : {&r0, &r1, &r2})
      r->Init();

    Common(name, 200, 20, 90, 17);
    name.SetAlignment(taRight);
    name.Caption = "Strength";
    name.Init();
    Common(value, 300, 20, 22, 17);
    value.Caption = "101";
    value.Init();
    Common(clipped, 200, 60, 40, 17);
    clipped.Caption = "A caption far too long for its label";
    clipped.Init();
    Common(action, 200, 100, 115, 20);
    action.Font.Size = 10;
    action.Font.Style = fsBold;
    action.HoverColor = 0x008000;
    action.HoverUnderline = 1;
    action.SetAlignment(taCenter);
    action.Caption = "Clear";
    action.onClick = clicks.work();
    action.Init();
    Common(warn, 200, 140, 24, 17);
    warn.Font.Style = fsBold;
    warn.SetAutoSize(true);
    warn.Caption = "(!!!)";
    warn.Hint = "first line\r\nsecond line";
    warn.HintTitle = "Note";
    warn.HintIcon = 2;
    warn.Init();

    Common(panel, 0, 0, 549, 420);
    panel.Align = 5;
    panel.Visible = 0;
    panel.EdgeStyle = 1;
    panel.Init();
    Common(combo, 90, 5, 110, 21);
    combo.Color = clWindow;
    combo.DataType = 1;
    combo.onClick = picks.work();
    combo.Init();

    hints.InitialDelay = 50;
    hints.AutoPopDelay = 5000;
    hints.Balloon = 1;
    hints.Font.Name = "Tahoma";
    warn.AttachHints(&hints);
  }
  QWidget* W(THIWin& e) { return QtOffscreen().WidgetOf(*e.Control); }
};

class QtTest : public UiTest {
 protected:
  static void SetUpTestSuite() { StartQtOffscreen(); }
  static void TearDownTestSuite() { StopQtOffscreen(); }
  void SetUp() override {
    UiTest::SetUp();
    SetBackend(&QtOffscreen());
  }
  void TearDown() override {
    UiTest::TearDown();
    SetBackend(nullptr);
  }
};

}  // namespace

TEST_F(QtTest, FormRendersEveryControlWhereItBelongs) {
  Sheet s;
  Start(&s.form);
  QWidget* fw = s.W(s.form);
  ASSERT_NE(fw, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(fw));

  // Fixed size with a minimise button only; the client area is the outer size less the frame.
  EXPECT_EQ(fw->size(), QSize(549, 420));
  EXPECT_EQ(fw->minimumSize(), fw->maximumSize());
  EXPECT_TRUE(fw->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(fw->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(fw->windowTitle(), "Sheet");

  // 8 points at 96 DPI is an 11 px font, in the stand-in face.
  EXPECT_EQ(s.W(s.name)->font().pixelSize(), 11);
  EXPECT_EQ(s.W(s.action)->font().pixelSize(), 13);
  EXPECT_EQ(QFontInfo(s.W(s.name)->font()).family(), "Liberation Sans");

  QImage img = QtOffscreen().Grab(*s.form.Control);
  ASSERT_EQ(img.size(), QSize(549, 420));
  QColor bg(0xFF, 0xFB, 0xF0);
  EXPECT_EQ(img.pixelColor(400, 300), bg);
  // Text is painted inside the labels ...
  EXPECT_TRUE(HasInk(img, QRect(200, 20, 90, 17), bg));
  EXPECT_TRUE(HasInk(img, QRect(300, 20, 22, 17), bg));
  EXPECT_TRUE(HasInk(img, QRect(200, 100, 115, 20), bg));
  // ... right-aligned text leaves the left part of its label empty ...
  EXPECT_FALSE(HasInk(img, QRect(200, 20, 30, 17), bg));
  // ... and a long caption is clipped to its label, not wrapped or spilled.
  EXPECT_TRUE(HasInk(img, QRect(200, 60, 40, 17), bg));
  EXPECT_FALSE(HasInk(img, QRect(241, 60, 60, 17), bg));
  EXPECT_FALSE(HasInk(img, QRect(200, 77, 40, 17), bg));
  // The group box has its frame and title, the radio buttons their captions.
  EXPECT_TRUE(HasInk(img, QRect(5 + 8, 115, 60, 12), bg));
  EXPECT_TRUE(HasInk(img, QRect(5 + 20, 115 + 30, 80, 16), bg));
  // The hidden panel shows nothing; once shown it covers the form.
  EXPECT_FALSE(s.W(s.panel)->isVisible());
  TData one = MakeInteger(1), none;
  s.panel.doVisible(one, 0);
  s.panel.doBringToFront(none, 0);
  if (const char* out = std::getenv("HS_SAVE_GRAB")) img.save(QString::fromUtf8(out));
  QImage covered = QtOffscreen().Grab(*s.form.Control);
  EXPECT_FALSE(HasInk(covered, QRect(300, 20, 22, 17), bg));
  EXPECT_FALSE(HasInk(covered, QRect(200, 100, 115, 20), bg));
  EXPECT_EQ(s.W(s.combo)->parentWidget()->parentWidget(), s.W(s.panel));
}

TEST_F(QtTest, SyntheticInputReachesTheElements) {
  Sheet s;
  Start(&s.form);
  QWidget* fw = s.W(s.form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(fw));

  // Moves over a radio button: onMouseMove with no button held.
  QWidget* r1 = s.W(s.r1);
  QTest::mouseMove(r1, QPoint(20, 8));
  QTest::mouseMove(r1, QPoint(30, 8));
  QTRY_VERIFY(s.moves.count() >= 2);
  EXPECT_EQ(s.moves.got.back(), "-1");

  // A click far right of the caption still clicks; the set stays exclusive.
  QTest::mouseClick(s.W(s.r2), Qt::LeftButton, {}, QPoint(160, 8));
  QTRY_COMPARE(s.selects.count(), 1u);
  EXPECT_TRUE(s.r2.Control->Checked());
  EXPECT_FALSE(s.r0.Control->Checked());
  EXPECT_TRUE(static_cast<QRadioButton*>(s.W(s.r2))->isChecked());
  EXPECT_FALSE(static_cast<QRadioButton*>(s.W(s.r0))->isChecked());
  QTest::mouseClick(s.W(s.r2), Qt::LeftButton, {}, QPoint(160, 8));
  QTRY_COMPARE(s.selects.count(), 2u);
  EXPECT_TRUE(static_cast<QRadioButton*>(s.W(s.r2))->isChecked());
  // doSelect 0 unchecks the native button too.
  TData zero = MakeInteger(0);
  s.r2.doSelect(zero, 0);
  EXPECT_FALSE(static_cast<QRadioButton*>(s.W(s.r2))->isChecked());

  // Hover styling of a label and its click.
  QWidget* act = s.W(s.action);
  QTest::mouseMove(act, QPoint(50, 10));
  QTRY_COMPARE(s.action.Control->Font().Color, 0x008000u);
  EXPECT_TRUE(act->font().underline());
  QTest::mouseClick(act, Qt::LeftButton, {}, QPoint(50, 10));
  QTRY_COMPARE(s.clicks.count(), 1u);
  QTest::mouseMove(fw, QPoint(500, 400));
  QTRY_COMPARE(s.action.Control->Font().Color, 0u);
  EXPECT_FALSE(act->font().underline());

  // The tool tip appears after its delay with the title and hides when the mouse leaves.
  QTest::mouseMove(s.W(s.warn), QPoint(5, 5));
  QTest::mouseMove(s.W(s.warn), QPoint(6, 5));
  TControl* tip = s.warn.Control->ToolTipIfAny();
  ASSERT_NE(tip, nullptr);
  QTRY_VERIFY(tip->TipShown());
  QWidget* tw = QtOffscreen().WidgetOf(*tip);
  ASSERT_NE(tw, nullptr);
  EXPECT_TRUE(tw->isVisible());
  QImage tipImage = tw->grab().toImage();
  EXPECT_GT(tipImage.width(), 40);
  EXPECT_GT(tipImage.height(), 25);  // title line and two text lines
  QTest::mouseMove(fw, QPoint(500, 400));
  QTRY_VERIFY(!tip->TipShown());

  // A pick in the combo box reaches onClick with the item text.
  TData one = MakeInteger(1);
  s.panel.doVisible(one, 0);
  for (const char* lang : {"en", "ru"}) {
    TData d = MakeString(lang);
    s.combo.doAdd(d, 0);
  }
  auto* cb = static_cast<QComboBox*>(s.W(s.combo));
  EXPECT_EQ(cb->count(), 2);
  TData sel = MakeString("EN");
  s.combo.doSelectString(sel, 0);
  EXPECT_EQ(cb->currentIndex(), 0);
  EXPECT_EQ(s.picks.count(), 0u);
  cb->setFocus();
  QTest::keyClick(cb, Qt::Key_Down);
  QTRY_COMPARE(s.picks.count(), 1u);
  EXPECT_EQ(s.picks.got[0], "ru,0");
  EXPECT_EQ(s.combo.Control->ItemIndex(), 1);

  // The close button: onClose, then the window goes away.
  fw->close();
  EXPECT_EQ(s.closed.count(), 1u);
  EXPECT_FALSE(s.form.Control->HasWindow());
}

TEST_F(QtTest, RunEndsWhenTheFormIsClosed) {
  Sheet s;
  Start(&s.form);
  QWidget* fw = s.W(s.form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(fw));
  QTimer::singleShot(50, fw, [fw] { fw->close(); });
  ::Run(ApplicationWindow());
  EXPECT_EQ(s.closed.count(), 1u);
  EXPECT_EQ(ApplicationWindow(), nullptr);
  EXPECT_FALSE(AppRunning());
}

// Every caption of the bundled languages fits the width the sheet gives its control.
TEST_F(QtTest, BundledCaptionsFitTheirControls) {
  struct Fit {
    const char* key;
    int width;   // room for the text in pixels
    int points;  // font size
    bool bold;
  };
  std::vector<Fit> fits;
  auto add = [&](std::initializer_list<const char*> keys, int width, int points = 8,
                 bool bold = false) {
    for (const char* k : keys)
      fits.push_back({k, width, points, bold});
  };
  const QStyle* style = QApplication::style();
  int radioText = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                  style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
  add({"btn_clear", "btn_settings", "btn_exit"}, 115, 10, true);
  add({"ch_unknown", "tf_male", "tf_female"}, 100 - radioText);
  add({"ch_unknown",     "ch2_noble",        "ch2_merchant", "ch2_veteran",    "ch2_hunter",
       "ch2_nomad",      "ch2_thief",        "ch3_page",     "ch3_apprentice", "ch3_helper",
       "ch3_urchin",     "ch3_steppe_child", "ch4_squire",   "ch4_troubadour", "ch4_student",
       "ch4_peddler",    "ch4_craftsman",    "ch4_poacher",  "ch5_revenge",    "ch5_loss",
       "ch5_wanderlust", "ch5_disown",       "ch5_greed"},
      175 - radioText);
  // Frame titles start 10 px in; the weapon frame's title must end before its "(!!!)" at 95.
  add({"ch1_caption", "oth_caption"}, 115 - 20);
  add({"ch2_caption", "ch3_caption", "ch4_caption", "ch5_caption"}, 185 - 20);
  add({"ca_caption"}, 125 - 20);
  add({"wpt_caption"}, 95 - 12);
  add({"skl_caption"}, 160 - 20);
  add({"ca_strength", "ca_agility", "ca_intelligence", "ca_charisma", "ca_points",
       "wpt_one_handed_weapons", "wpt_two_handed_weapons", "wpt_polearms", "wpt_archery",
       "wpt_crossbows", "wpt_throwing", "wpt_weapon_points"},
      90);
  add({"skl_ironflesh",       "skl_power_strike",
       "skl_power_throw",     "skl_power_draw",
       "skl_weapon_master",   "skl_shield",
       "skl_athletics",       "skl_riding",
       "skl_horse_archery",   "skl_looting",
       "skl_trainer",         "skl_tracking",
       "skl_tactics",         "skl_pathfinding",
       "skl_spotting",        "skl_inventory_management",
       "skl_wound_treatment", "skl_surgery",
       "skl_first_aid",       "skl_engineer",
       "skl_persuasion",      "skl_prisoner_management",
       "skl_leadership",      "skl_trade",
       "skl_points"},
      125);
  add({"oth_hitpoints", "oth_gold", "oth_renown", "oth_honor"}, 80);
  // The language label sizes itself; the box starts at 90.
  add({"btn_localization"}, 90 - 10 - 4);
  add({"btn_msg_restart"}, 549 - 10 - 6, 8, true);

  for (const char* lang : {"en", "ru"}) {
    TempFolder dir;
    std::string text;
    ASSERT_TRUE(os::ReadWholeFile(std::string(HS_DATA_DIR) + "/" + lang + ".lng", text));
    dir.Write(std::string(lang) + ".lng", text);
    dir.Write("config.ini", std::string("[main]\r\nlanguage=") + lang + "\r\n");
    dir.MakeProgramFolder();
    THITranslator t;
    t.Load();
    ASSERT_TRUE(TranslationLoaded());
    TControl probe(TControlKind::Label, nullptr);
    for (const Fit& f : fits) {
      TFontRec font;
      font.Size = static_cast<uint8_t>(f.points);
      font.Style = f.bold ? fsBold : 0;
      probe.SetFont(font);
      std::string caption = Translate(f.key);
      int width = QtOffscreen().MeasureText(probe, caption).Width;
      EXPECT_GE(width, 3 * static_cast<int>(caption.size()) / 2) << lang << ": " << f.key;
      EXPECT_LE(width, f.width) << lang << ": " << f.key << " \"" << caption << "\"";
    }
  }
}

// Mouse input belongs to the window under the mouse: the form hears only what falls on its own
// client area or through a group box's bare frame.
TEST_F(QtTest, MouseInputDoesNotBubbleToParents) {
  Sheet s;
  Probe formMoves, formDowns, labelMoves;
  s.form.onMouseMove = formMoves.work();
  s.form.onMouseDown = formDowns.work();
  s.name.onMouseMove = labelMoves.work();
  Start(&s.form);
  QWidget* fw = s.W(s.form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(fw));
  QTest::mouseMove(s.W(s.r1), QPoint(20, 8));
  QTest::mouseMove(s.W(s.r1), QPoint(24, 8));
  QTest::mouseMove(s.W(s.name), QPoint(60, 8));
  QTest::mouseClick(s.W(s.name), Qt::LeftButton, {}, QPoint(60, 8));
  QTest::mouseClick(s.W(s.r1), Qt::LeftButton, {}, QPoint(20, 8));
  QTRY_VERIFY(s.moves.count() >= 2);
  QTRY_VERIFY(labelMoves.count() >= 1);
  EXPECT_EQ(formMoves.count(), 0u);
  EXPECT_EQ(formDowns.count(), 0u);
  // Keys go to the focused window only.
  Probe formKeys, radioKeys, chars;
  s.form.onKeyDown = formKeys.work();
  s.r1.onKeyDown = radioKeys.work();
  s.r1.onChar = chars.work();
  s.r1.Control->SetFocus();
  QTRY_VERIFY(s.r1.Control->Focused());
  QTest::keyClick(s.W(s.r1), Qt::Key_A);
  QTRY_COMPARE(radioKeys.count(), 1u);
  EXPECT_EQ(radioKeys.got[0], "65");
  EXPECT_EQ(chars.got, (std::vector<std::string>{"a"}));
  EXPECT_EQ(formKeys.count(), 0u);
  // The bare frame of the group box lets the mouse through to the form.
  QTest::mouseMove(s.W(s.frame), QPoint(150, 70));
  QTRY_COMPARE(formMoves.count(), 1u);
  EXPECT_EQ(formMoves.got[0], "-1");
}

TEST_F(QtTest, TabFollowsTheTabOrder) {
  Sheet s;
  s.r2.TabOrder = 1;
  s.r0.TabOrder = 2;
  s.r2.Init();
  s.r0.Init();
  s.form.Control->SetTabNavigation(true);
  Start(&s.form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(s.W(s.form)));
  s.r2.Control->SetFocus();
  QTRY_VERIFY(s.r2.Control->Focused());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTRY_VERIFY(s.r0.Control->Focused());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTRY_VERIFY(s.r2.Control->Focused());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  QTRY_VERIFY(s.r0.Control->Focused());
}
