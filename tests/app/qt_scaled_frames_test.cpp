// The whole sheet on the Qt backend at one desktop scale (QT_SCALE_FACTOR, read at start, so each
// scale is its own run of this program): every frame draws its border whole.
#include <QImage>
#include <QWidget>
#include <QtTest/QTest>
#include <cmath>
#include <cstdlib>

#include "sheet_fixture.h"
#include "ui/backend.h"
#include "ui/backends/qt/backend_qt.h"

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace {

TQtBackend* g_qt = nullptr;

// A pixel of the etched frame line: clearly darker than the cream and near grey.
bool FrameInk(QColor c) {
  int lo = std::min({c.red(), c.green(), c.blue()}), hi = std::max({c.red(), c.green(), c.blue()});
  return hi < 215 && hi - lo < 40;
}

class QtScaledFramesTest : public SheetTest {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
    if (!std::getenv("QT_SCALE_FACTOR")) setenv("QT_SCALE_FACTOR", "1.5", 1);
    g_qt = new TQtBackend();
  }
  static void TearDownTestSuite() {
    delete g_qt;
    g_qt = nullptr;
  }
  void SetUp() override {
    SheetTest::SetUp();
    SetBackend(g_qt);
    CopySampleData();
  }
  void TearDown() override {
    Sheet.reset();
    SetBackend(nullptr);
    SheetTest::TearDown();
  }
  // Columns of a frame's bottom edge (in device pixels, corners left out) without frame ink in
  // the lowest two logical pixels of the frame.
  static int GapsInBottomEdge(const QImage& img, const QRect& frame, double scale) {
    int y0 = static_cast<int>(std::floor((frame.bottom() - 2) * scale));
    int y1 = std::min(img.height() - 1, static_cast<int>(std::ceil((frame.bottom() + 1) * scale)));
    int x0 = static_cast<int>(std::ceil((frame.left() + 3) * scale));
    int x1 = static_cast<int>(std::floor((frame.right() - 3) * scale));
    int gaps = 0;
    for (int x = x0; x <= x1; ++x) {
      bool ink = false;
      for (int y = y0; y <= y1 && !ink; ++y)
        ink = FrameInk(img.pixelColor(x, y));
      if (!ink) ++gaps;
    }
    return gaps;
  }
};

TEST_F(QtScaledFramesTest, EveryFrameKeepsItsBottomBorder) {
  Start();
  // Answers given, so that every row shows a value.
  for (const char* a : {"q1.1", "q2.2", "q3.3", "q4.2", "q5.1"})
    Sheet->Find(a)->Click();
  QWidget* w = g_qt->WidgetOf(*Sheet->Find("form"));
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  Backend().ProcessMessages(false);
  QImage img = g_qt->Grab(*Sheet->Find("form"));
  double scale = img.devicePixelRatio();
  EXPECT_NEAR(scale, std::atof(std::getenv("QT_SCALE_FACTOR")), 0.01);
  img.setDevicePixelRatio(1);
  for (const char* n : {"other", "attrib", "profic", "skills", "q1", "q2", "q3", "q4", "q5"}) {
    TControl* c = Sheet->Find(n);
    ASSERT_NE(c, nullptr);
    QRect r(c->Left(), c->Top(), c->Width(), c->Height());
    EXPECT_EQ(GapsInBottomEdge(img, r, scale), 0) << n << " at " << scale;
  }
  if (const char* out = std::getenv("HS_SCALED_PNG")) img.save(QString::fromUtf8(out), "PNG");
}

}  // namespace
