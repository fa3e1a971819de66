// The sheet as text: the questions with their answers, the rows that differ from the sheet with
// no answers, the answer code; in the sheet's language, byte for byte.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/share_link.h"
#include "sheet_fixture.h"
#include "tests/support/sheet_texts.h"
#include "ui/backends/headless/backend_headless.h"

namespace {

struct TTextCase {
  const char* Language;
  std::vector<const char*> Clicks;
  const char* Expected;  // what copy prints, its closing "." included
};

std::string SampleText(const char* name) {
  std::ifstream in(std::filesystem::path(HS_SHEET_TEXT_DIR) / name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string SampleFile(const char* name) {
  std::ifstream in(std::filesystem::path(HS_SAMPLE_DATA_DIR) / name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class SheetTextTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
    WriteProgram("en.lng", SampleFile("en.lng"));
    WriteProgram("ru.lng", SampleFile("ru.lng"));
  }
};

TEST_F(SheetTextTest, CopyGivesTheSheetInItsLanguage) {
  const TTextCase cases[] = {
      {"en",
       {},
       "Gender: Not chosen\nYour father was: Not chosen\nChildhood: Not chosen\n"
       "Youth: Not chosen\nWhy you set out: Not chosen\n\n0.0.0.0.0\n.\n"},
      {"en",
       {"q1.1", "q2.3"},
       "Gender: Male\nYour father was: An old soldier\nChildhood: Not chosen\n"
       "Youth: Not chosen\nWhy you set out: Not chosen\n\n"
       "Weapons\n  Polearms: 30\n"
       "Attributes\n  Strength: 6\n  Agility: 5\n  Charisma: 5\n"
       "Skills\n  Tough skin: 1\n  Shield: 1\n  Tactics: 1\n"
       "Other\n  Hit points: 43\n  Gold: 60\n\n"
       "1.3.0.0.0\n.\n"},
      // A click then a clear: the text of the sheet with no answers again.
      {"en",
       {"q1.2", "q5.1", "clear"},
       "Gender: Not chosen\nYour father was: Not chosen\nChildhood: Not chosen\n"
       "Youth: Not chosen\nWhy you set out: Not chosen\n\n0.0.0.0.0\n.\n"},
      {"ru",
       {"q1.1", "q2.3"},
       "Пол: Мужской\nВаш отец: Старый солдат\nДетство: Не выбрано\nЮность: Не выбрано\n"
       "Причина странствий: Не выбрано\n\n"
       "Оружие\n  Древковое: 30\n"
       "Атрибуты\n  Сила: 6\n  Ловкость: 5\n  Обаяние: 5\n"
       "Навыки\n  Крепкая кожа: 1\n  Щит: 1\n  Тактика: 1\n"
       "Прочее\n  Здоровье: 43\n  Золото: 60\n\n"
       "1.3.0.0.0\n.\n"},
  };
  for (const TTextCase& c : cases) {
    Sheet.reset();  // its shutdown writes config.ini
    WriteProgram("config.ini", std::string("[main]\r\nlanguage=") + c.Language + "\r\n");
    Start();
    for (const char* name : c.Clicks)
      Do(std::string("click ") + name);
    EXPECT_EQ(Do("copy"), c.Expected) << c.Language << " after " << c.Clicks.size() << " clicks";
  }
}

// Ctrl+V opens the code then Ctrl+C copies: the text every backend gives.
TEST_F(SheetTextTest, CtrlCPutsTheSharedTextOnTheClipboard) {
  for (const TCopiedText& c : kCopiedTexts) {
    Sheet.reset();
    WriteProgram("config.ini", LanguageConfig(c.Language));
    Start();
    Do(std::string("clipboard ") + c.Code);
    Do("key Ctrl+V");
    Do("clipboard nothing");
    Do("key Ctrl+C");
    const std::string expected = CopiedText(c);
    ASSERT_FALSE(expected.empty()) << c.Language;
    EXPECT_EQ(Do("clipboard"), expected + ".\n") << c.Language;
    EXPECT_EQ(Do("copy"), expected + ".\n") << c.Language;
  }
}

// From an answered sheet: what the clipboard holds is opened after a clear, or changes nothing
// and a message says so.
TEST_F(SheetTextTest, CtrlVOpensTheClipboardsAnswersOrChangesNothing) {
  const std::string copied = SampleText("en-1.3.2.5.4.txt");
  struct TCase {
    std::string Clipboard;
    TAnswers After;
  };
  const TAnswers kept{2, 6, 1, 4, 3};
  Start();
  const TCase cases[] = {
      {"1.3.0.0.0", {1, 3, 0, 0, 0}},
      {"  https://example.org/herosheet.html#a=0.2.0.0.5\r\n", {0, 2, 0, 0, 5}},
      {copied, {1, 3, 2, 5, 4}},
      {copied + "https://example.org/herosheet.html#a=1.1.1.1.1\n", {1, 1, 1, 1, 1}},
      {"0.0.0.0.0", {0, 0, 0, 0, 0}},
      {"", kept},
      {"1.2.3.4.5.6", kept},
      {"9.9.9.9.9", kept},  // answers the data does not have
      {"1..2", kept},
      {std::string(10240, '7'), kept},
      {std::string(PastedTextMax, '\n') + "1.1.1.1.1", kept},
      {"\xEF\xBC\x91.2.3.4.5", kept},
      {"Gender: Male\n", kept},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Clipboard.substr(0, 40));
    Do("click clear");
    ASSERT_TRUE(OpenAnswers(*Sheet->Sheet(), Sheet->Input(), kept));
    HeadlessBackend().Messages().clear();
    HeadlessBackend().SetClipboardText(c.Clipboard);
    Do("key Ctrl+V");
    EXPECT_EQ(CheckedAnswers(*Sheet->Sheet()), c.After);
    EXPECT_EQ(HeadlessBackend().Messages().size(), c.After == kept ? 1u : 0u);
    TDump d = Dump();
    for (const char* part : {"q", "attrib.name", "skills.name", "profic.name", "other.name"})
      EXPECT_TRUE(d.BoldNames(part).empty()) << part << ": a preview was left behind";
  }
}

}  // namespace
