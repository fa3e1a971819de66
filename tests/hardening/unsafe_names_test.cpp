// Names that could break config.ini apart: line breaks and "]" in language file names, keys,
// sections and values never become raw lines of the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/filesearch.h"
#include "elements/ini.h"
#include "elements/strpart.h"
#include "hardening_fixture.h"
#include "platform/os.h"
#include "tests/scheme/fixture.h"

namespace {

const char kConfig[] = "[main]\r\nLeft=10\r\nlanguage=en\r\n";

class UnsafeNames : public RuntimeTest {
 protected:
  TempFolder Dir;
  void SetUp() override {
    RuntimeTest::SetUp();
    os::SetProgramFolder(Dir.Path());
    Dir.Write("config.ini", kConfig);
  }
  void TearDown() override {
    os::SetProgramFolder("");
    RuntimeTest::TearDown();
  }
  // The language setting written the way the settings panel writes it.
  void WriteLanguage(const std::string& name) {
    THIini ini;
    ini.FileName = "config.ini";
    ini.Section = "main";
    ini.Key = "language";
    ini.DataType = 1;
    TData d = MakeString(name);
    ini.doWrite(d, 0);
  }
  std::string ReadLanguage() {
    return os::ReadProfileString("main", "language", "", Dir.Path("config.ini"));
  }
};

}  // namespace

TEST_F(UnsafeNames, LanguageFromAFileNameWithLineBreaksIsNotWritten) {
  // The language box lists *.lng files and cuts each name at its first dot.
  TempFolder langs;
  const std::vector<std::string> hostile = {"x\n[evil]\nkey=1.lng", "y\r\n[main]\r\nLeft=99.lng",
                                            "z\rlanguage=ru.lng", "\n.lng"};
  for (const std::string& n : hostile)
    langs.Write(n, "btn_clear|Clear\r\n");
  langs.Write("de.lng", "btn_clear|Leeren\r\n");

  THIFileSearch search;
  search.Dir = langs.Path();
  search.Ext = "*.lng";
  search.SubDir = 1;
  THIStrPart cut;
  cut.Char = ".";
  TRecorder names;
  search.onSearch = MakeEvent<&THIStrPart::doSplit>(&cut);
  cut.onLeft = names.Link();
  TData d;
  search.doSearch(d, 0);
  ASSERT_EQ(names.Calls.size(), hostile.size() + 1);

  for (const auto& call : names.Calls) {
    std::string name = ToString(call[0]);
    WriteLanguage(name);
    if (name == "de") {
      EXPECT_EQ(ReadLanguage(), "de");
      Dir.Write("config.ini", kConfig);
    } else {
      EXPECT_EQ(Dir.Read("config.ini"), kConfig) << "written for a name with a line break";
    }
  }
}

TEST_F(UnsafeNames, BracketsAndEqualsInAValueStayInsideTheValue) {
  for (const std::string name : {"a]b", "[main]", "x=y", ";ru", "  pt.br  ", "\"q\""}) {
    WriteLanguage(name);
    std::string text = Dir.Read("config.ini");
    // Still one section with its two keys, the language line holding the name as written
    // (less its leading blanks, as the Windows call writes it).
    std::string written = name.substr(name.find_first_not_of(' '));
    EXPECT_EQ(text, "[main]\r\nLeft=10\r\nlanguage=" + written + "\r\n");
    EXPECT_EQ(os::ReadProfileInt("main", "Left", 0, Dir.Path("config.ini")), 10);
  }
  WriteLanguage("a]b");
  EXPECT_EQ(ReadLanguage(), "a]b");
}

TEST_F(UnsafeNames, KeysSectionsAndValuesWithBreaksAreRefused) {
  std::string path = Dir.Path("config.ini");
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru\n[x]", path));
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru\r", path));
  EXPECT_FALSE(os::WriteProfileString("main", "lang\nuage", "ru", path));
  EXPECT_FALSE(os::WriteProfileString("main", "[x]", "ru", path));
  EXPECT_FALSE(os::WriteProfileString("main", "k=v", "ru", path));
  EXPECT_FALSE(os::WriteProfileString("ma]in", "language", "ru", path));
  EXPECT_FALSE(os::WriteProfileString("main\r\n[x", "language", "ru", path));
  EXPECT_EQ(Dir.Read("config.ini"), kConfig);
  // After the first zero byte nothing counts, as with a C string.
  EXPECT_TRUE(os::WriteProfileString("main", "language", std::string("ru\0\n[x]", 7), path));
  EXPECT_EQ(ReadLanguage(), "ru");
  EXPECT_EQ(Dir.Read("config.ini").find("[x]"), std::string::npos);
  // Through the placement keys as well: an integer never carries a break.
  THIini left;
  left.FileName = "config.ini";
  left.Section = "main";
  left.Key = "Left\n[evil]";
  TData d = MakeInteger(5);
  left.doWrite(d, 0);
  EXPECT_EQ(Dir.Read("config.ini").find("evil"), std::string::npos);
}
