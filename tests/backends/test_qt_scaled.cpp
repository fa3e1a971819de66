// The Qt backend on a desktop scaled to 150 %: the whole window grows, the layout keeps its
// proportions and text is clipped exactly where it is at 100 %.
#include <QtWidgets/qtestsupport_widgets.h>
#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdlib>

#include "controls/label.h"
#include "controls/mainform.h"
#include "tests/support/ui_fixture.h"
#include "ui/backends/qt/backend_qt.h"

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace {

// Pixels of r that differ clearly from bg.
int Ink(const QImage& img, const QRect& r, QColor bg) {
  int n = 0;
  for (int y = std::max(0, r.top()); y <= std::min(img.height() - 1, r.bottom()); ++y)
    for (int x = std::max(0, r.left()); x <= std::min(img.width() - 1, r.right()); ++x) {
      QColor c = img.pixelColor(x, y);
      if (std::abs(c.red() - bg.red()) + std::abs(c.green() - bg.green()) +
              std::abs(c.blue() - bg.blue()) >
          120)
        ++n;
    }
  return n;
}

QRect Scaled(int l, int t, int w, int h) {
  return QRect(l * 3 / 2, t * 3 / 2, w * 3 / 2, h * 3 / 2);
}

}  // namespace

class QtScaledTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
    setenv("QT_SCALE_FACTOR", "1.5", 1);
    qt_ = new TQtBackend();
  }
  static void TearDownTestSuite() {
    delete qt_;
    qt_ = nullptr;
  }
  void SetUp() override {
    UiTest::SetUp();
    SetBackend(qt_);
  }
  void TearDown() override {
    UiTest::TearDown();
    SetBackend(nullptr);
  }
  static TQtBackend* qt_;
};

TQtBackend* QtScaledTest::qt_ = nullptr;

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
  QWidget* w = qt_->WidgetOf(*form.Control);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));

  EXPECT_EQ(w->size(), QSize(300, 200));  // logical pixels
  QImage img = qt_->Grab(*form.Control);
  EXPECT_DOUBLE_EQ(img.devicePixelRatio(), 1.5);
  EXPECT_EQ(img.size(), QSize(450, 300));
  QColor bg(0xFF, 0xFB, 0xF0);
  EXPECT_GT(Ink(img, Scaled(100, 40, 90, 17), bg), 20);
  EXPECT_EQ(Ink(img, Scaled(100, 40, 30, 17), bg), 0);  // right-aligned: the left stays empty
  EXPECT_GT(Ink(img, Scaled(10, 100, 40, 17), bg), 20);
  EXPECT_EQ(Ink(img, Scaled(51, 100, 60, 17), bg), 0);  // clipped at the label's edge
  EXPECT_EQ(Ink(img, Scaled(10, 118, 40, 17), bg), 0);  // not wrapped
}
