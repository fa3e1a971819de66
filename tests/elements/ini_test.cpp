// The ini path rule, TIniFile and THIini.
#include <unistd.h>

#include <cstdlib>

#include "elements/ini.h"
#include "elements/inifile.h"
#include "platform/os.h"
#include "tests/elements/element_fixture.h"
#include "tests/support/temp_folder.h"

namespace {
// Runs a test body with another current folder and the program folder set to a temp folder.
class ProgramFolderScope {
 public:
  explicit ProgramFolderScope(const std::string& folder) { os::SetProgramFolder(folder); }
  ~ProgramFolderScope() { os::SetProgramFolder(""); }
};
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const std::string& folder) {
    char* cwd = ::getcwd(nullptr, 0);
    old_ = cwd ? cwd : "/";
    std::free(cwd);
    EXPECT_EQ(::chdir(folder.c_str()), 0);
  }
  ~CurrentFolderScope() { EXPECT_EQ(::chdir(old_.c_str()), 0); }

 private:
  std::string old_;
};
}  // namespace

TEST(IniPathRule, BareNamesGoToTheProgramFolder) {
  ProgramFolderScope p("/prog/dir");
  const std::string dir = os::ProgramFolder();  // with the platform's separator
  EXPECT_EQ(IniPath("config.ini"), dir + "config.ini");
  EXPECT_EQ(IniPath("sub\\x.ini"), "sub\\x.ini");
  EXPECT_EQ(IniPath("c:x.ini"), "c:x.ini");
  EXPECT_EQ(IniPath(""), dir);
#ifdef _WIN32
  // '/' is no folder separator for the rule on Windows.
  EXPECT_EQ(IniPath("sub/x.ini"), dir + "sub/x.ini");
#else
  EXPECT_EQ(IniPath("sub/x.ini"), "sub/x.ini");
  EXPECT_EQ(IniPath("/abs/x.ini"), "/abs/x.ini");
#endif
}

// An installed program (no config.ini, no language file beside it): bare names go to the
// per-user settings folder; reads fall back to the shipped config.ini key by key; the first
// write makes the folder.
TEST(IniPathRule, InstalledProgramsUseThePerUserFolder) {
  const std::string sep(1, os::PathSeparator());
#ifdef _WIN32
  const std::string bin = "Hero Sheet", share = "Hero Sheet\\share";
#else
  const std::string bin = "usr/bin", share = "usr/share/herosheet";
#endif
  TempFolder t;
  t.MakeFolder(bin);
  t.MakeFolder(share);
  t.Write(share + sep + "config.ini", "[main]\r\nlanguage=en\r\nLeft=7\r\n");
  ProgramFolderScope p(t.Path(bin));
  os::SetUserConfigFolder(t.Path("cfg"));

  const std::string user = t.Path("cfg") + sep + "herosheet" + sep + "config.ini";
  EXPECT_EQ(IniPath("config.ini"), user);
  TIniFile r(IniPath("config.ini"));
  r.Section = "main";
  EXPECT_EQ(r.ValueString("language", "none"), "en");
  EXPECT_EQ(r.ValueInteger("Left", 0), 7);
  EXPECT_EQ(r.ValueInteger("Top", 3), 3);

  TIniFile w(IniPath("config.ini"));
  w.Mode = TIniFile::WriteMode;
  w.Section = "main";
  w.ValueString("language", "ru");
  EXPECT_EQ(TempFolder::ReadFile(user), "[main]\r\nlanguage=ru\r\n");
  EXPECT_EQ(r.ValueString("language", "none"), "ru");
  EXPECT_EQ(r.ValueInteger("Left", 0), 7);  // still the shipped one
  os::SetUserConfigFolder("");
}

TEST(IniPathRule, FolderMacrosExpandEverywhere) {
  ProgramFolderScope p("/prog/dir");
  EXPECT_EQ(IniPath("%tmpdir%a.ini"), os::TempFolder() + "a.ini");
  EXPECT_EQ(IniPath("%windir%win.ini"), os::WindowsFolder() + "win.ini");
  EXPECT_EQ(IniPath("%sysdir%x%sysdir%"), os::SystemFolder() + "x" + os::SystemFolder());
  // Letter case matters in the macro names.
  EXPECT_EQ(IniPath("%TMPDIR%a.ini"), os::ProgramFolder() + "%TMPDIR%a.ini");
}

TEST(IniFileAccess, ModeDecidesReadOrWrite) {
  TempFolder t;
  TIniFile w(t.Path("x.ini"));
  w.Mode = TIniFile::WriteMode;
  w.Section = "s";
  EXPECT_EQ(w.ValueInteger("n", -42), -42);
  EXPECT_EQ(w.ValueString("t", "text"), "text");
  TIniFile r(t.Path("x.ini"));
  r.Section = "S";
  EXPECT_EQ(r.ValueInteger("N", 0), -42);
  EXPECT_EQ(r.ValueString("T", "d"), "text");
  EXPECT_EQ(r.ValueString("missing", "d"), "d");
  EXPECT_EQ(r.ValueInteger("missing", 9), 9);
}

class IniTest : public ElementTest {
 protected:
  TempFolder prog;
  TempFolder other;
  std::unique_ptr<ProgramFolderScope> scope;
  THIini ini;
  Probe read;
  void SetUp() override {
    ElementTest::SetUp();
    scope = std::make_unique<ProgramFolderScope>(prog.Path());
    prog.Write("keep-portable.lng", "");  // config.ini is then kept beside the program
    ini.FileName = "config.ini";
    ini.Section = "main";
    ini.Key = "language";
    ini.DataType = 1;
    ini.onRead = read.Link();
  }
};

TEST_F(IniTest, MissingFileReadsEmptyAndWriteCreatesIt) {
  Fire<&THIini::doRead>(ini);
  ASSERT_EQ(read.got.size(), 1u);
  EXPECT_EQ(read.got[0].Kind, data_str);
  EXPECT_EQ(read.got[0].StrValue, "");
  Fire<&THIini::doWrite>(ini, MakeString("ru"));
  EXPECT_EQ(prog.Read("config.ini"), "[main]\r\nlanguage=ru\r\n");
  Fire<&THIini::doRead>(ini);
  EXPECT_EQ(read.got[1].StrValue, "ru");
}

TEST_F(IniTest, ProgramFolderIsUsedWhateverTheCurrentFolder) {
  prog.Write("config.ini", "[Main]\r\nLanguage = en\r\n");
  CurrentFolderScope cwd(other.Path());
  Fire<&THIini::doRead>(ini);
  EXPECT_EQ(read.got.at(0).StrValue, "en");
  Fire<&THIini::doWrite>(ini, MakeString("de"));
  EXPECT_EQ(prog.Read("config.ini"), "[Main]\r\nLanguage=de\r\n");
  EXPECT_FALSE(os::FileExists(other.Path("config.ini")));
}

TEST_F(IniTest, IntegerTypeReadsAndWritesNumbers) {
  ini.DataType = 0;
  ini.Key = "Left";
  Fire<&THIini::doRead>(ini);
  ASSERT_EQ(read.got.size(), 1u);
  EXPECT_EQ(read.got[0].Kind, data_int);
  EXPECT_EQ(read.got[0].IntValue, 0);
  Fire<&THIini::doWrite>(ini, MakeString("-17abc"));
  EXPECT_EQ(prog.Read("config.ini"), "[main]\r\nLeft=-17\r\n");
  Fire<&THIini::doRead>(ini);
  EXPECT_EQ(read.got[1].IntValue, -17);
}

TEST_F(IniTest, LinkedPointsOverrideProperties) {
  Source file, section, key, value;
  file.value = MakeString("other.ini");
  section.value = MakeString("sec");
  key.value = MakeString("k");
  value.value = MakeString("linked");
  ini.FileNamePoint = file.Link();
  ini.SectionPoint = section.Link();
  ini.KeyPoint = key.Link();
  ini.ValuePoint = value.Link();
  Fire<&THIini::doWrite>(ini, MakeString("incoming"));
  EXPECT_EQ(prog.Read("other.ini"), "[sec]\r\nk=linked\r\n");
  Fire<&THIini::doRead>(ini);
  EXPECT_EQ(read.got.at(0).StrValue, "linked");
}

TEST_F(IniTest, ValueIsReadBeforeKey) {
  // Both unlinked with empty defaults: the first chain value is the value, the second the key.
  ini.Key.clear();
  TData in = MakeString("v");
  TData key = MakeString("k");
  in.Next = &key;
  Fire<&THIini::doWrite>(ini, in);
  EXPECT_EQ(prog.Read("config.ini"), "[main]\r\nk=v\r\n");
}

TEST_F(IniTest, LongValuesReadBackCut) {
  Fire<&THIini::doWrite>(ini, MakeString(std::string(4000, 'q')));
  Fire<&THIini::doRead>(ini);
  EXPECT_EQ(read.got.at(0).StrValue, std::string(2047, 'q'));
}

TEST_F(IniTest, RefusedWritesAreIgnored) {
  std::string p = prog.Write("config.ini", "[main]\nlanguage=en\n");
  ::chmod(p.c_str(), 0444);
  Fire<&THIini::doWrite>(ini, MakeString("ru"));
  EXPECT_EQ(prog.Read("config.ini"), "[main]\nlanguage=en\n");
  Fire<&THIini::doWrite>(ini, MakeString("r\r\nu"));
  ini.FileName = other.Path("missing/config.ini");
  Fire<&THIini::doWrite>(ini, MakeString("ru"));
  Fire<&THIini::doRead>(ini);
  ASSERT_EQ(read.got.size(), 1u);
  EXPECT_EQ(read.got[0].StrValue, "");
}
