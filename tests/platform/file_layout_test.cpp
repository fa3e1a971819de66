// Where the program keeps config.ini and its language files: the portable layout (the program's
// folder) and the installed one (the data folder beside the program and the per-user folder).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/file_layout.h"
#include "platform/os.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string kSep(1, os::PathSeparator());

#ifndef _WIN32
// Sets an environment variable for one test and puts the old value back.
class EnvScope {
 public:
  EnvScope(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~EnvScope() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};
#endif

// Points the per-user folder somewhere for one scope.
class UserFolderScope {
 public:
  explicit UserFolderScope(const std::string& folder) { os::SetUserConfigFolder(folder); }
  ~UserFolderScope() { os::SetUserConfigFolder(""); }
};

// The installed layout of this platform under a root folder: where the program is and where its
// language files and shipped config.ini go.
#ifdef _WIN32
const char* const kBin = "Hero Sheet";
const char* const kShare = "Hero Sheet\\share";
#else
const char* const kBin = "usr/bin";
const char* const kShare = "usr/share/herosheet";
#endif

// An installed program (bin and share), and a per-user folder of its own under home.
class FileLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    root.MakeFolder(kBin);
    root.MakeFolder(kShare);
    root.MakeFolder("home");
    os::SetProgramFolder(Bin());
  }
  void TearDown() override { os::SetProgramFolder(""); }
  std::string Bin() const { return root.Path(kBin) + kSep; }
  std::string Share() const { return root.Path(kShare) + kSep; }
  std::string Home() const { return root.Path("home"); }
  std::string UserSettings() const { return Home() + kSep + "herosheet" + kSep; }

  TempFolder root;
  UserFolderScope user{Home()};
};

}  // namespace

// Which files in the program's folder make it portable.
TEST_F(FileLayout, PortableWhenTheProgramFolderHoldsSettingsOrALanguageFile) {
  struct Case {
    const char* file;  // written into bin/, or nullptr
    bool folder;       // as a folder rather than a file
    bool portable;
  };
  const Case cases[] = {
      {nullptr, false, false},         {"config.ini", false, true}, {"en.lng", false, true},
      {"RU.LNG", false, true},         {"pt.br.lng", false, true},  {"herosheet", false, false},
      {"notes.lng.txt", false, false}, {"x.lng", true, false},      {"choice.ini", false, false},
  };
  for (const Case& c : cases) {
    TempFolder bin;
    if (c.file && c.folder) bin.MakeFolder(c.file);
    if (c.file && !c.folder) bin.Write(c.file, "");
    os::SetProgramFolder(bin.Path());
    EXPECT_EQ(os::PortableLayout(), c.portable) << (c.file ? c.file : "(empty)");
  }
}

TEST_F(FileLayout, PortableKeepsEverythingInTheProgramFolder) {
  root.Write(std::string(kBin) + kSep + "en.lng", "btn_clear|Clear\r\n");
  EXPECT_EQ(os::SettingsFolder(), Bin());
  EXPECT_EQ(os::LanguageFolder(), Bin());
  EXPECT_EQ(os::SettingsDefaultsFor(Bin() + "config.ini"), "");
  EXPECT_TRUE(os::MakeSettingsFolderFor(Bin() + "config.ini"));
  EXPECT_FALSE(os::IsFolder(UserSettings()));
}

#ifndef _WIN32
// The per-user folder from the environment: XDG_CONFIG_HOME when absolute, else HOME/.config.
TEST_F(FileLayout, InstalledSettingsFolderFollowsTheEnvironment) {
  struct Case {
    std::optional<std::string> xdg, home;
    std::string want;
  };
  const std::string h = Home();
  const Case cases[] = {
      {h + "/cfg", h, h + "/cfg/herosheet/"},
      {h + "/cfg///", h, h + "/cfg/herosheet/"},
      {std::nullopt, h, h + "/.config/herosheet/"},
      {std::string(""), h, h + "/.config/herosheet/"},
      {std::string("relative/cfg"), h, h + "/.config/herosheet/"},
  };
  os::SetUserConfigFolder("");
  for (const Case& c : cases) {
    EnvScope x("XDG_CONFIG_HOME", c.xdg ? c.xdg->c_str() : nullptr);
    EnvScope m("HOME", c.home ? c.home->c_str() : nullptr);
    EXPECT_EQ(os::SettingsFolder(), c.want) << (c.xdg ? *c.xdg : "(unset)");
  }
}
#else
// The per-user folder is the roaming application data folder, the one %APPDATA% names.
TEST_F(FileLayout, InstalledSettingsFolderIsInTheRoamingApplicationData) {
  os::SetUserConfigFolder("");
  const char* appdata = std::getenv("APPDATA");
  ASSERT_TRUE(appdata && *appdata);
  EXPECT_EQ(os::UserConfigFolder(), std::string(appdata) + "\\");
  EXPECT_EQ(os::SettingsFolder(), std::string(appdata) + "\\herosheet\\");
  EXPECT_TRUE(os::IsFolder(os::UserConfigFolder()));
}
#endif

TEST_F(FileLayout, InstalledLanguagesComeFromShareBesideBin) {
  EXPECT_FALSE(os::PortableLayout());
  EXPECT_EQ(os::LanguageFolder(), Share());
  EXPECT_EQ(os::SettingsFolder(), UserSettings());
  // Decided once: a file appearing beside the program later changes nothing in this run.
  root.Write(std::string(kBin) + kSep + "config.ini", "");
  EXPECT_FALSE(os::PortableLayout());
  // A relocated installation: the same answer relative to wherever the program is.
  TempFolder other;
  other.MakeFolder(std::string("opt") + kSep + kBin);
  os::SetProgramFolder(other.Path(std::string("opt") + kSep + kBin));
  EXPECT_EQ(os::LanguageFolder(), other.Path(std::string("opt") + kSep + kShare) + kSep);
}

TEST_F(FileLayout, InstalledSettingsFallBackToTheShippedOnes) {
  EXPECT_EQ(os::SettingsDefaultsFor(UserSettings() + "config.ini"), Share() + "config.ini");
  EXPECT_EQ(os::SettingsDefaultsFor(UserSettings() + "other.ini"), "");
  EXPECT_EQ(os::SettingsDefaultsFor(Share() + "config.ini"), "");
}

TEST_F(FileLayout, TheSettingsFolderIsMadeOnlyForItsOwnFiles) {
  const std::string cfg = Home() + kSep + "a" + kSep + "b";
  UserFolderScope u(cfg);
  const std::string mine = cfg + kSep + "herosheet";
  EXPECT_TRUE(os::MakeSettingsFolderFor(Home() + kSep + "elsewhere" + kSep + "config.ini"));
  EXPECT_FALSE(os::IsFolder(Home() + kSep + "elsewhere"));
  EXPECT_FALSE(os::IsFolder(cfg));

  EXPECT_TRUE(os::MakeSettingsFolderFor(mine + kSep + "config.ini"));
  ASSERT_TRUE(os::IsFolder(mine));
#ifndef _WIN32
  struct stat st {};
  ASSERT_EQ(::stat(mine.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
#endif
  // Once there, the writes go through.
  EXPECT_TRUE(os::WriteProfileString("main", "language", "ru", mine + kSep + "config.ini"));
  EXPECT_TRUE(os::MakeSettingsFolderFor(mine + kSep + "config.ini"));
}

TEST_F(FileLayout, AFolderThatCannotBeMadeIsReported) {
  root.Write("home" + kSep + "blocker", "a file where a folder should be");
  const std::string cfg = Home() + kSep + "blocker";
  UserFolderScope u(cfg);
  const std::string file = cfg + kSep + "herosheet" + kSep + "config.ini";
  EXPECT_FALSE(os::MakeSettingsFolderFor(file));
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", file));
}
