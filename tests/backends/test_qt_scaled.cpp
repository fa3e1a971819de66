// The Qt backend on a desktop scaled to 150 %: the whole window grows, the layout keeps its
// proportions and text is clipped exactly where it is at 100 %.
#include <QtWidgets/qtestsupport_widgets.h>
#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdlib>

#include "controls/label.h"
#include "controls/mainform.h"
#include "tests/support/qt_offscreen.h"
#include "tests/support/ui_fixture.h"
#include "ui/backends/qt/backend_qt.h"

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace {

QRect Scaled(int l, int t, int w, int h) {
  return QRect(l * 3 / 2, t * 3 / 2, w * 3 / 2, h * 3 / 2);
}

}  // namespace

class QtScaledTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_SCALE_FACTOR", "1.5", 1);
    StartQtOffscreen();
  }
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

TEST_F(QtScaledTest, TheWholeWindowScales) {
  THIMainForm form;
  form.Width = 306;
  form.Height = 225;
  form.Color = 0xF0FBFF;
  form.SetBorderStyle(1);
  form.Init();
  THILabel name(form.Control), longText(form.Control);
  name.Left = 100;
  name.Top = 40;
  name.Width = 90;
  name.Height = 17;
  name.Caption = "Strength";
  name.SetAlignment(taRight);
  name.Init();
  longText.Left = 10;
  longText.Top = 100;
  longText.Width = 40;
  longText.Height = 17;
  longText.Caption = "A caption far too long for its label";
  longText.Init();
  Start(&form);
  QWidget* w = QtOffscreen().WidgetOf(*form.Control);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));

  EXPECT_EQ(w->size(), QSize(300, 200));  // logical pixels
  QImage img = QtOffscreen().Grab(*form.Control);
  EXPECT_DOUBLE_EQ(img.devicePixelRatio(), 1.5);
  EXPECT_EQ(img.size(), QSize(450, 300));
  QColor bg(0xFF, 0xFB, 0xF0);
  EXPECT_GT(InkPixels(img, Scaled(100, 40, 90, 17), bg), 20);
  EXPECT_EQ(InkPixels(img, Scaled(100, 40, 30, 17), bg), 0);  // right-aligned: the left stays empty
  EXPECT_GT(InkPixels(img, Scaled(10, 100, 40, 17), bg), 20);
  EXPECT_EQ(InkPixels(img, Scaled(51, 100, 60, 17), bg), 0);  // clipped at the label's edge
  EXPECT_EQ(InkPixels(img, Scaled(10, 118, 40, 17), bg), 0);  // not wrapped
}
