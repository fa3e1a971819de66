// Where the running sheet keeps its files: beside the program (portable) or, for an installed
// program, the language files in share/herosheet/ and config.ini in the per-user folder.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sheet_fixture.h"

namespace {

namespace fs = std::filesystem;

class LayoutTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
  }
  // An installed prefix with two languages and the shipped settings (English).
  void Install() {
    MakeInstalled();
    WriteShare("en.lng", "btn_settings|Settings\r\nbtn_exit|Back\r\n");
    WriteShare("ru.lng", "btn_settings|Nastroiki\r\nbtn_exit|Nazad\r\n");
    WriteShare("config.ini", "[main]\r\nlanguage=en\r\n");
  }
  void Restart() {
    Sheet.reset();
    Start();
  }
};

TEST_F(LayoutTest, InstalledProgramKeepsItsSettingsPerUser) {
  Install();
  WriteData("de.lng", "");  // the current folder's languages are not the program's
  Start();
  EXPECT_EQ(Text("settings"), "Settings");  // the shipped choice, from share/herosheet
  EXPECT_FALSE(fs::exists(UserConfigDir));  // nothing is written before the first change

  Do("click settings");
  TDump d = Dump();
  std::string items = d["panel.language"].Flag("items");
  EXPECT_TRUE(items == "en|ru" || items == "ru|en") << items;
  EXPECT_EQ(d["panel.language"].Flag("selected"), "en");

  Do("pick panel.language ru");
  EXPECT_TRUE(Dump()["panel.note"].Visible());
  EXPECT_EQ(ReadUserConfig(), "[main]\r\nlanguage=ru\r\n");
  Do("close");
  std::string ini = ReadUserConfig();
  EXPECT_NE(ini.find("language=ru\r\nLeft=0\r\nTop=0\r\nWidth=555\r\nHeight=445"),
            std::string::npos)
      << ini;

  // Neither the program's folder nor the shipped files changed.
  EXPECT_FALSE(fs::exists(ProgramDir / "config.ini"));
  std::ifstream shipped(ShareDir / "config.ini", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "[main]\r\nlanguage=en\r\n");

  Restart();
  EXPECT_EQ(Text("settings"), "Nastroiki");
  Do("click settings");
  EXPECT_EQ(Dump()["panel.language"].Flag("selected"), "ru");
}

// Each key of the per-user file wins over the shipped one; a missing key falls back to it.
TEST_F(LayoutTest, PerUserKeysOverrideTheShippedOnesOneByOne) {
  struct Case {
    const char* user;  // the per-user config.ini, or nullptr
    const char* settingsCaption;
    int left;
  };
  const Case cases[] = {
      {nullptr, "Settings", 7},
      {"[main]\r\nLeft=40\r\n", "Settings", 40},
      {"[main]\r\nlanguage=ru\r\n", "Nastroiki", 7},
      {"[main]\r\nlanguage=de\r\n", "btn_settings", 7},  // no such language file
      {"[other]\r\nlanguage=ru\r\n", "Settings", 7},
  };
  Install();
  WriteShare("config.ini", "[main]\r\nlanguage=en\r\nLeft=7\r\n");
  for (const Case& c : cases) {
    Sheet.reset();
    fs::remove_all(UserConfigDir);
    if (c.user) {
      fs::create_directories(UserConfigDir);
      std::ofstream(UserConfigDir / "config.ini", std::ios::binary) << c.user;
    }
    Start();
    EXPECT_EQ(Text("settings"), c.settingsCaption) << (c.user ? c.user : "(none)");
    EXPECT_EQ(Sheet->Find("form")->Left(), c.left) << (c.user ? c.user : "(none)");
  }
}

TEST_F(LayoutTest, APortableFolderKeepsEverythingBesideTheProgram) {
  WriteProgram("en.lng", "btn_settings|Settings\r\n");
  WriteData("en.lng", "");
  WriteData("ru.lng", "");
  Start();
  EXPECT_EQ(Text("settings"), "btn_settings");  // no config.ini yet: no language chosen
  Do("click settings");
  std::string items = Dump()["panel.language"].Flag("items");
  EXPECT_TRUE(items == "en|ru" || items == "ru|en") << items;  // the current folder's
  Do("pick panel.language en");
  Do("close");
  std::string ini = ReadProgram("config.ini");
  EXPECT_NE(ini.find("language=en"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Width=555"), std::string::npos) << ini;
  EXPECT_FALSE(fs::exists(UserConfigDir));
  Restart();
  EXPECT_EQ(Text("settings"), "Settings");
}

// A per-user folder that cannot be made: the pick and the close fail silently.
TEST_F(LayoutTest, AnUnwritableSettingsHomeIsSilent) {
  Install();
  fs::create_directories(UserConfigDir.parent_path().parent_path());
  std::ofstream(UserConfigDir.parent_path()) << "a file where the folder should be";
  Start();
  Do("click settings");
  EXPECT_EQ(Do("pick panel.language ru"), "");
  EXPECT_EQ(Do("close"), "");
  EXPECT_FALSE(fs::is_directory(UserConfigDir));
}

}  // namespace
