// The settings panel: language list, saved selection, a pick, closing, covering the sheet.
#include <sys/stat.h>

#include <chrono>
#include <functional>

#include "sheet_fixture.h"
#include "tests/support/lock_holder.h"

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
  EXPECT_EQ(d["panel.note"].Text, "btn_msg_restart");
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

// The note after a pick tells whether config.ini now reads back as the pick.
TEST_F(SettingsTest, TheNoteSaysWhetherThePickWasStored) {
  const std::string texts = "btn_msg_restart|Restart!\r\nbtn_msg_not_saved|Not saved!\r\n";
  const std::string chosen = "[main]\r\nlanguage=xx\r\n";
  struct Case {
    const char* Name;
    std::string Language;                                     // xx.lng in the program folder
    std::function<void(const std::filesystem::path&)> Setup;  // given the program folder
    const char* Pick;
    const char* Note;
    const char* Saved;  // the language key afterwards ("" none)
  };
  auto chmodProgram = [](mode_t m) {
    return [m](const std::filesystem::path& dir) { ::chmod(dir.c_str(), m); };
  };
  auto chmodConfig = [](mode_t m) {
    return [m](const std::filesystem::path& dir) { ::chmod((dir / "config.ini").c_str(), m); };
  };
  const Case cases[] = {
      {"stored", texts, nullptr, "yy", "Restart!", "yy"},
      {"read-only file", texts, chmodConfig(0444), "yy", "Not saved!", "xx"},
      {"read-only folder", texts, chmodProgram(0555), "yy", "Not saved!", "xx"},
      {"language without the new key", "btn_msg_restart|Restart!\r\n", chmodConfig(0444), "yy",
       "btn_msg_not_saved", "xx"},
      {"config.ini is a folder", texts,
       [](const std::filesystem::path& dir) {
         std::filesystem::remove(dir / "config.ini");
         std::filesystem::create_directory(dir / "config.ini");
       },
       "yy", "btn_msg_not_saved", ""},
      {"config.ini past the size bound", texts,
       [](const std::filesystem::path& dir) {
         std::filesystem::resize_file(dir / "config.ini", os::kSettingsFileMax + 1);
       },
       "yy", "btn_msg_not_saved", ""},
      // Stored, but read back without its quotes: the next start would not find it.
      {"a name that reads back otherwise", texts, nullptr, "\"qq\"", "Not saved!", "qq"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    CopySampleData();
    WriteData("yy.lng", "");
    WriteData("\"qq\".lng", "");
    WriteProgram("xx.lng", c.Language);
    WriteProgram("config.ini", chosen);
    if (c.Setup) c.Setup(ProgramDir);
    Start();
    Do("click settings");
    EXPECT_EQ(Do(std::string("pick panel.language ") + c.Pick), "");
    TDump d = Dump();
    EXPECT_TRUE(d["panel.note"].Visible());
    EXPECT_EQ(d["panel.note"].Text, c.Note);
    std::string saved =
        os::ReadProfileString("main", "language", "", os::ProgramFolder() + "config.ini");
    EXPECT_EQ(saved, c.Saved);
    // Opening again hides the note; the next good pick gives the restart note back.
    Do("click panel.exit");
    Do("click settings");
    EXPECT_FALSE(Dump()["panel.note"].Visible());
    ::chmod(ProgramDir.c_str(), 0755);
  }
}

// A writer that never lets go of the settings lock (stopped, say) delays the pick and the
// close by the bounded wait only, and both are stored.
TEST_F(SettingsTest, PickAndCloseFinishWhileAnotherProcessHoldsTheLock) {
  using Clock = std::chrono::steady_clock;
  CopySampleData();
  WriteData("en.lng", "");
  WriteProgram("config.ini", "[main]\r\nlanguage=ru\r\n");
  Start();
  Do("click settings");
  TLockHolder holder(ProgramDir.string(), 12);
  ASSERT_TRUE(holder.Held);
  for (const char* command : {"pick panel.language en", "close"}) {
    auto start = Clock::now();
    EXPECT_EQ(Do(command), "");
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_LT(seconds, 3.0) << command;
  }
  std::string ini = ReadProgram("config.ini");
  EXPECT_NE(ini.find("language=en\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Left="), std::string::npos) << ini;
  EXPECT_NE(ini.find("Height=445\r\n"), std::string::npos) << ini;
}

}  // namespace
