// The whole sheet on the Qt backend under the offscreen platform: rendered with the sample data
// to a PNG that must show the frames, captions and numbers.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <QtTest/QTest>

#include "app/control_input.h"
#include "app/edit_shortcuts.h"
#include "app/share_link.h"
#include "sheet_fixture.h"
#include "tests/support/qt_offscreen.h"
#include "tests/support/sheet_texts.h"
#include "ui/backend.h"
#include "ui/backends/headless/backend_headless.h"
#include "ui/backends/qt/backend_qt.h"

// fontconfig keeps its pattern cache for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace {

class QtSheetTest : public SheetTest {
 protected:
  static void SetUpTestSuite() { StartQtOffscreen(); }
  static void TearDownTestSuite() { StopQtOffscreen(); }
  void SetUp() override {
    SheetTest::SetUp();
    SetBackend(&QtOffscreen());
    CopySampleData();
    WriteProgram("config.ini", "[main]\r\nlanguage=t\r\n");
    WriteProgram("t.lng", "ca_caption|Attributes\r\nca_strength|Strength\r\nbtn_clear|Clear\r\n");
  }
  void TearDown() override {
    Sheet.reset();
    SetBackend(nullptr);
    SheetTest::TearDown();
  }
  QImage Render() {
    TControl* form = Sheet->Find("form");
    QWidget* w = QtOffscreen().WidgetOf(*form);
    EXPECT_NE(w, nullptr);
    if (!w) return {};
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    Backend().ProcessMessages(false);
    return QtOffscreen().Grab(*form);
  }
};

TEST_F(QtSheetTest, TheWholeSheetRendersWithTheSampleData) {
  Start();
  QImage img = Render();
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.size(), QSize(549, 420));
  std::string png = (DataDir / "sheet.png").string();
  ASSERT_TRUE(img.save(QString::fromStdString(png), "PNG"));
  QImage back(QString::fromStdString(png));
  ASSERT_EQ(back.size(), img.size());

  // The cream background, and ink in every frame and on both command labels.
  const QColor bg(0xFF, 0xFB, 0xF0);
  EXPECT_EQ(back.pixelColor(200, 140), bg);
  for (const char* n :
       {"other", "attrib", "profic", "skills", "q1", "q2", "q3", "q4", "q5", "clear", "settings"}) {
    TControl* c = Sheet->Find(n);
    ASSERT_NE(c, nullptr);
    QRect r(c->Left(), c->Top(), c->Width(), c->Height());
    EXPECT_GT(InkPixels(back, r, bg), 40) << n;
  }
  // The language file of the program folder was used.
  EXPECT_EQ(Text("attrib.name.0"), "Strength");
}

TEST_F(QtSheetTest, ACommitRepaintsTheValues) {
  Start();
  QImage before = Render();
  TControl* apprentice = Sheet->Find("q3.2");
  ASSERT_NE(apprentice, nullptr);
  apprentice->Click();
  EXPECT_EQ(Text("attrib.value.3"), "5");
  QImage after = Render();
  TControl* box = Sheet->Find("attrib");
  TControl* value = Sheet->Find("attrib.value.3");
  QRect r(box->Left() + value->Left(), box->Top() + value->Top(), value->Width(), value->Height());
  EXPECT_NE(before.copy(r), after.copy(r));
}

}  // namespace

namespace {

TEST_F(QtSheetTest, MouseMovesOverAnAnswerPreviewIt) {
  Start();
  Render();
  TControl* male = Sheet->Find("q1.1");
  QWidget* w = QtOffscreen().WidgetOf(*male);
  ASSERT_NE(w, nullptr);
  QTest::mouseMove(w, QPoint(20, 8));
  QTest::mouseMove(w, QPoint(22, 8));
  Backend().ProcessMessages(false);
  EXPECT_TRUE(male->Font().Style & fsBold);
  EXPECT_TRUE(Sheet->Find("attrib.name.0")->Font().Style & fsBold);
}

// The desktop program opens a code with clicks sent straight to the controls: the answers are
// checked, nothing stays previewed, and the text is that of the headless sheet, byte for byte.
TEST_F(QtSheetTest, AnAnswerCodeOpensThroughTheControls) {
  const TAnswers codes[] = {{1, 3, 2, 5, 4}, {2, 6, 1, 4, 3}, {0, 2, 0, 0, 5}};
  std::vector<std::string> headless;
  SetBackend(&HeadlessBackend());
  for (const TAnswers& a : codes) {
    Start();
    ASSERT_TRUE(OpenAnswers(*Sheet->Sheet(), Sheet->Input(), a));
    headless.push_back(Do("copy"));
    EXPECT_NE(headless.back().find("\n" + FormatAnswerCode(a) + "\n.\n"), std::string::npos);
  }
  Sheet.reset();  // on the backend that made its windows

  SetBackend(&QtOffscreen());
  Start();
  Render();
  TControlInput input;
  for (size_t i = 0; i < std::size(codes); ++i) {
    input.Click(*Sheet->Find("clear"));
    EXPECT_TRUE(OpenAnswers(*Sheet->Sheet(), input, codes[i]));
    Backend().ProcessMessages(false);
    EXPECT_EQ(CheckedAnswers(*Sheet->Sheet()), codes[i]);
    TDump d = Dump();
    for (const char* prefix : {"q", "attrib.name", "skills.name", "profic.name", "other.name"})
      EXPECT_EQ(d.BoldNames(prefix), std::vector<std::string>{}) << prefix;
    EXPECT_EQ(Do("copy"), headless[i]);
  }
}

// What a user does on Qt: Ctrl+V with an address on the system clipboard opens its answers,
// Ctrl+C puts the shared text there, in English and Russian.
TEST_F(QtSheetTest, CtrlCAndCtrlVUseTheSystemClipboard) {
  WriteProgram("en.lng", TempFolder::ReadFile(std::string(HS_SAMPLE_DATA_DIR) + "/en.lng"));
  WriteProgram("ru.lng", TempFolder::ReadFile(std::string(HS_SAMPLE_DATA_DIR) + "/ru.lng"));
  QClipboard* clipboard = QGuiApplication::clipboard();
  for (const TCopiedText& c : kCopiedTexts) {
    Sheet.reset();
    WriteProgram("config.ini", LanguageConfig(c.Language));
    Start();
    Render();
    TControlInput input;  // as the desktop program clicks
    WireEditShortcuts(*Sheet->Sheet(), input);
    QWidget* form = QtOffscreen().WidgetOf(Sheet->Sheet()->Form());
    clipboard->setText(QString("https://example.org/herosheet.html#a=") + c.Code);
    QTest::keyClick(form, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(FormatAnswerCode(CheckedAnswers(*Sheet->Sheet())), c.Code);
    clipboard->clear();
    QTest::keyClick(QtOffscreen().WidgetOf(*Sheet->Find("q3.1")), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text().toUtf8().toStdString(), CopiedText(c)) << c.Language;
  }
}

}  // namespace
