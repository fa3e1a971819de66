// The settings panel: language list, saved selection, a pick, closing, covering the sheet.
#include "sheet_fixture.h"

namespace {

class SettingsTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
  }
};

TEST_F(SettingsTest, OpeningListsTheLanguagesAndSelectsTheSavedOne) {
  WriteData("en.lng", "btn_exit|Back\r\n");
  WriteData("ru.lng", "btn_exit|Nazad\r\n");
  WriteData("notes.txt", "");
  WriteProgram("config.ini", "[main]\r\nlanguage=ru\r\n");
  Start();
  Do("click settings");
  TDump d = Dump();
  EXPECT_TRUE(d["panel"].Visible());
  EXPECT_FALSE(d["panel.note"].Visible());
  std::string items = d["panel.language"].Flag("items");
  EXPECT_TRUE(items == "en|ru" || items == "ru|en") << items;
  EXPECT_EQ(d["panel.language"].Flag("selected"), "ru");
  // Opening writes nothing.
  EXPECT_EQ(ReadProgram("config.ini"), "[main]\r\nlanguage=ru\r\n");
}

TEST_F(SettingsTest, SavedNameMatchesIgnoringLetterCase) {
  WriteData("ru.lng", "");
  WriteProgram("config.ini", "[main]\r\nlanguage=RU\r\n");
  Start();
  Do("click settings");
  EXPECT_EQ(Dump()["panel.language"].Flag("selected"), "ru");
}

TEST_F(SettingsTest, WithoutSavedLanguageNothingIsSelected) {
  WriteData("en.lng", "");
  Start();
  Do("click settings");
  TDump d = Dump();
  EXPECT_EQ(d["panel.language"].Flag("items"), "en");
  EXPECT_EQ(d["panel.language"].Flag("selected"), "");
}

TEST_F(SettingsTest, APickIsSavedAndShowsTheNote) {
  WriteData("en.lng", "");
  WriteData("ru.lng", "");
  WriteProgram("config.ini", "[main]\r\nlanguage=ru\r\nLeft=5\r\n");
  Start();
  std::string clear = Text("clear");
  Do("click settings");
  EXPECT_EQ(Do("pick panel.language en"), "");
  TDump d = Dump();
  EXPECT_TRUE(d["panel.note"].Visible());
  EXPECT_EQ(d["panel.language"].Flag("selected"), "en");
  std::string ini = ReadProgram("config.ini");
  EXPECT_NE(ini.find("language=en"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("language=ru"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Left=5"), std::string::npos) << ini;
  // Captions wait for the next start.
  EXPECT_EQ(Text("clear"), clear);
}

TEST_F(SettingsTest, APickCreatesTheConfigFile) {
  WriteData("de.lng", "");
  Start();
  Do("click settings");
  Do("pick panel.language de");
  EXPECT_NE(ReadProgram("config.ini").find("language=de"), std::string::npos);
}

TEST_F(SettingsTest, ReopeningListsEachLanguageOnceAndHidesTheNote) {
  WriteData("en.lng", "");
  WriteData("pt.br.lng", "");
  Start();
  Do("click settings");
  Do("pick panel.language pt");
  EXPECT_NE(ReadProgram("config.ini").find("language=pt"), std::string::npos);
  Do("click panel.exit");
  Do("click settings");
  TDump d = Dump();
  std::string items = d["panel.language"].Flag("items");
  EXPECT_TRUE(items == "en|pt" || items == "pt|en") << items;
  EXPECT_FALSE(d["panel.note"].Visible());
  EXPECT_EQ(d["panel.language"].Flag("selected"), "pt");
}

TEST_F(SettingsTest, ExitHidesThePanelWithoutWriting) {
  WriteData("en.lng", "");
  Start();
  Do("click settings");
  Do("click panel.exit");
  EXPECT_FALSE(Dump()["panel"].Visible());
  EXPECT_TRUE(ReadProgram("config.ini").empty());
}

TEST_F(SettingsTest, LanguagesComeFromTheCurrentFolderNotTheProgramFolder) {
  WriteProgram("xx.lng", "btn_clear|Clear\r\n");
  WriteProgram("config.ini", "[main]\r\nlanguage=xx\r\n");
  WriteData("yy.lng", "");
  Start();
  EXPECT_EQ(Text("clear"), "Clear");  // loaded from the program folder
  Do("click settings");
  EXPECT_EQ(Dump()["panel.language"].Flag("items"), "yy");
}

TEST_F(SettingsTest, TheOpenPanelCoversTheSheet) {
  Start();
  Do("click settings");
  Do("click q3.2");
  Do("hover q2.1");
  TDump d = Dump();
  EXPECT_TRUE(d["q3.0"].Checked());
  EXPECT_FALSE(d["q3.2"].Checked());
  EXPECT_FALSE(d["q2.1"].Bold());
  Do("click panel.exit");
  Do("click q3.2");
  EXPECT_TRUE(Dump()["q3.2"].Checked());
}

}  // namespace
