// The sheet as text: the questions with their answers, the rows that differ from the sheet with
// no answers, the answer code; in the sheet's language, byte for byte.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sheet_fixture.h"

namespace {

struct TTextCase {
  const char* Language;
  std::vector<const char*> Clicks;
  const char* Expected;  // what copy prints, its closing "." included
};

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

}  // namespace
