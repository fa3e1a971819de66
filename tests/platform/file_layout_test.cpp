// Where the program keeps config.ini and its language files: the portable layout (the program's
// folder) and the installed one (share/herosheet/ and the per-user settings folder).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/file_layout.h"
#include "platform/os.h"
#include "tests/support/temp_folder.h"

namespace {

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

// A prefix with bin/ (the program's folder) and share/herosheet/, and a home of its own.
class FileLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    root.MakeFolder("usr/bin");
    root.MakeFolder("usr/share/herosheet");
    root.MakeFolder("home");
    os::SetProgramFolder(Bin());
  }
  void TearDown() override { os::SetProgramFolder(""); }
  std::string Bin() const { return root.Path("usr/bin/"); }
  std::string Share() const { return root.Path("usr/share/herosheet/"); }
  std::string Home() const { return root.Path("home"); }

  TempFolder root;
  EnvScope xdg{"XDG_CONFIG_HOME", nullptr};
  EnvScope home{"HOME", nullptr};
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
      {"notes.lng.txt", false, false}, {"x.lng", true, false},
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
  root.Write("usr/bin/en.lng", "btn_clear|Clear\r\n");
  EnvScope x("XDG_CONFIG_HOME", Home().c_str());
  EXPECT_EQ(os::SettingsFolder(), Bin());
  EXPECT_EQ(os::LanguageFolder(), Bin());
  EXPECT_EQ(os::SettingsDefaultsFor(Bin() + "config.ini"), "");
  EXPECT_TRUE(os::MakeSettingsFolderFor(Bin() + "config.ini"));
  EXPECT_FALSE(os::IsFolder(Home() + "/herosheet"));
}

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
  for (const Case& c : cases) {
    EnvScope x("XDG_CONFIG_HOME", c.xdg ? c.xdg->c_str() : nullptr);
    EnvScope m("HOME", c.home ? c.home->c_str() : nullptr);
    EXPECT_EQ(os::SettingsFolder(), c.want) << (c.xdg ? *c.xdg : "(unset)");
  }
}

TEST_F(FileLayout, InstalledLanguagesComeFromShareBesideBin) {
  EXPECT_FALSE(os::PortableLayout());
  EXPECT_EQ(os::LanguageFolder(), Share());
  // Decided once: a file appearing beside the program later changes nothing in this run.
  root.Write("usr/bin/config.ini", "");
  EXPECT_FALSE(os::PortableLayout());
  // A relocated prefix: the same answer relative to wherever bin/ is.
  TempFolder other;
  other.MakeFolder("opt/hs/bin");
  os::SetProgramFolder(other.Path("opt/hs/bin"));
  EXPECT_EQ(os::LanguageFolder(), other.Path("opt/hs/share/herosheet/"));
}

TEST_F(FileLayout, InstalledSettingsFallBackToTheShippedOnes) {
  EnvScope x("XDG_CONFIG_HOME", Home().c_str());
  const std::string user = Home() + "/herosheet/config.ini";
  EXPECT_EQ(os::SettingsDefaultsFor(user), Share() + "config.ini");
  EXPECT_EQ(os::SettingsDefaultsFor(Home() + "/herosheet/other.ini"), "");
  EXPECT_EQ(os::SettingsDefaultsFor(Share() + "config.ini"), "");
}

TEST_F(FileLayout, TheSettingsFolderIsMadeOnlyForItsOwnFiles) {
  const std::string cfg = Home() + "/a/b";
  EnvScope x("XDG_CONFIG_HOME", cfg.c_str());
  EXPECT_TRUE(os::MakeSettingsFolderFor(Home() + "/elsewhere/config.ini"));
  EXPECT_FALSE(os::IsFolder(Home() + "/elsewhere"));
  EXPECT_FALSE(os::IsFolder(cfg));

  EXPECT_TRUE(os::MakeSettingsFolderFor(cfg + "/herosheet/config.ini"));
  ASSERT_TRUE(os::IsFolder(cfg + "/herosheet"));
  struct stat st {};
  ASSERT_EQ(::stat((cfg + "/herosheet").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Once there, the writes go through.
  EXPECT_TRUE(os::WriteProfileString("main", "language", "ru", cfg + "/herosheet/config.ini"));
  EXPECT_TRUE(os::MakeSettingsFolderFor(cfg + "/herosheet/config.ini"));
}

TEST_F(FileLayout, AFolderThatCannotBeMadeIsReported) {
  root.Write("home/blocker", "a file where a folder should be");
  const std::string cfg = Home() + "/blocker";
  EnvScope x("XDG_CONFIG_HOME", cfg.c_str());
  EXPECT_FALSE(os::MakeSettingsFolderFor(cfg + "/herosheet/config.ini"));
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", cfg + "/herosheet/config.ini"));
}
