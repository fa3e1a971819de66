// Missing and broken files: never a crash; captions show keys, the sheet keeps working.
#include "sheet_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class FilesTest : public SheetTest {};

TEST_F(FilesTest, WithoutDataFilesOnlyTheUnansweredAnswersExist) {
  Start();
  // Nothing is added: every table item stays 0 after the start-up commits.
  EXPECT_EQ(Values("attrib", 5), (Strings{"0", "0", "0", "0", "0"}));
  EXPECT_EQ(Text("other.value.1"), "0");
  Do("click q1.1");
  Do("click q3.2");
  Do("hover q3.1");
  EXPECT_EQ(Values("attrib", 5), (Strings{"0", "0", "0", "0", "0"}));
  TDump d = Dump();
  EXPECT_TRUE(d["q3.2"].Checked());
  EXPECT_TRUE(d["q3.1"].Bold());
}

TEST_F(FilesTest, WithoutArrayIniNoCodeIsKnown) {
  CopySampleData();
  std::filesystem::remove(DataDir / "array.ini");
  Start();
  Do("click q1.1");
  EXPECT_EQ(Values("attrib", 5), (Strings{"0", "0", "0", "0", "0"}));
}

TEST_F(FilesTest, BrokenDataLinesAreSkipped) {
  WriteData("array.ini", "strength=101\r\n=\r\nnonsense\r\ngold=abc\r\n\x01\x02=7\r\n");
  WriteData("choice.ini",
            "-- choice 1\r\n1 strength=3\r\n1 strength\r\n1\r\n x\r\n1 gold=9\r\n-- end\r\n"
            "garbage without end\r\n-- end\r\n-- end\r\n");
  Start();
  Do("click q1.1");
  EXPECT_EQ(Text("attrib.value.1"), "3");
  Do("hover q1.1");
  EXPECT_EQ(Dump().BoldNames("attrib.name"), (Strings{"attrib.name.0"}));
}

TEST_F(FilesTest, BinaryConfigAndLanguageFilesShowKeys) {
  CopySampleData();
  static const char config[] = "\0\xff\xfe[main\nlanguage=\0zz";
  static const char language[] = "\0\0\xff";
  WriteProgram("config.ini", std::string(config, sizeof config - 1));
  WriteProgram("zz.lng", std::string(language, sizeof language - 1));
  Start();
  EXPECT_EQ(Text("clear"), "btn_clear");
  EXPECT_EQ(Text("attrib.value.1"), "4");
}

TEST_F(FilesTest, AnUnreadableLanguageFileShowsKeys) {
  CopySampleData();
  WriteProgram("config.ini", "[main]\r\nlanguage=zz\r\n");
  std::filesystem::create_directories(ProgramDir / "zz.lng");
  Start();
  EXPECT_EQ(Text("q1"), "ch1_caption");
}

TEST_F(FilesTest, AReadOnlyConfigKeepsThePanelWorking) {
  CopySampleData();
  WriteData("en.lng", "");
  WriteProgram("config.ini", "[main]\r\nlanguage=ru\r\n");
  std::filesystem::permissions(ProgramDir / "config.ini", std::filesystem::perms::owner_read);
  std::filesystem::permissions(
      ProgramDir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  Start();
  Do("click settings");
  Do("pick panel.language en");
  EXPECT_TRUE(Dump()["panel.note"].Visible());
  std::filesystem::permissions(ProgramDir, std::filesystem::perms::owner_all);
  // Root may write anyway; otherwise the old file is intact.
  std::string ini = ReadProgram("config.ini");
  EXPECT_TRUE(ini.find("language=ru") != std::string::npos ||
              ini.find("language=en") != std::string::npos);
}

}  // namespace
