// The herosheet-sim program: options, the line protocol over pipes, program and data folders.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class SimProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(Base / "data");
    fs::create_directories(Base / "program");
    // A language file keeps the program folder a portable one.
    Temp.Write("program/keep-portable.lng", "");
    for (const char* n : {"choice.ini", "array.ini"})
      fs::copy_file(fs::path(HS_SAMPLE_DATA_DIR) / n, Base / "data" / n);
  }
  // Runs the program in the data folder with the commands on its input; its output.
  std::string Run(const std::string& commands, const std::string& options, int* code = nullptr) {
    Temp.Write("input.txt", commands);
    std::string cmd = "cd '" + (Base / "data").string() + "' && XDG_CONFIG_HOME='" +
                      (Base / "config").string() + "' '" HS_SIM_PROGRAM "' " + options + " < '" +
                      (Base / "input.txt").string() + "' 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
      out.append(buf, n);
    int status = pclose(p);
    if (code) *code = WEXITSTATUS(status);
    return out;
  }
  std::string ProgramOption() const {
    return "--program-dir '" + (Base / "program").string() + "'";
  }

  TempFolder Temp;
  fs::path Base = Temp.Root();
};

TEST_F(SimProgramTest, DumpListsEveryWindowThenADot) {
  std::string out = Run("dump\nquit\n", ProgramOption());
  EXPECT_EQ(out.rfind("form\tQuorvant\tvisible=1 bold=0 color=000000\n", 0), 0u) << out;
  EXPECT_NE(out.find("\nq1.0\tch_unknown\tvisible=1 checked=1 bold=0 color=000000\n"),
            std::string::npos);
  EXPECT_NE(out.find("\nattrib.value.1\t4\t"), std::string::npos);
  EXPECT_NE(
      out.find("\npanel.language\tComboBox\tvisible=1 bold=0 color=000000 selected= items=\n"),
      std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 3), "\n.\n");
}

TEST_F(SimProgramTest, CommandsChangeTheSheetAndErrorsGoOn) {
  std::string out = Run("click q1.2\nfly\nhover nowhere\nclick q3.1\ndump\n", ProgramOption());
  EXPECT_NE(out.find("error: unknown command fly\n"), std::string::npos);
  EXPECT_NE(out.find("error: unknown name nowhere\n"), std::string::npos);
  EXPECT_NE(out.find("\nq1.2\ttf_female\tvisible=1 checked=1"), std::string::npos) << out;
  EXPECT_NE(out.find("\nattrib.value.2\t5\t"), std::string::npos);  // agility 4 + 1
  EXPECT_NE(out.find("\nattrib.value.4\t5\t"), std::string::npos);  // charisma 4 + 1
}

TEST_F(SimProgramTest, ProgramDirHoldsConfigAndLanguages) {
  Temp.Write("program/config.ini", "[main]\r\nlanguage=t\r\n");
  Temp.Write("program/t.lng", "btn_settings|Options\r\n");
  std::string out = Run("close\ndump\n", ProgramOption());
  EXPECT_EQ(out, "");  // close ends the runner: the dump is never read
  std::string ini = Temp.Read("program/config.ini");
  EXPECT_NE(ini.find("Width=555"), std::string::npos) << ini;
  out = Run("dump\n", ProgramOption());
  EXPECT_NE(out.find("\nsettings\tOptions\t"), std::string::npos);
}

TEST_F(SimProgramTest, BadOptionsAreRefused) {
  int code = 0;
  std::string out = Run("", "--frobnicate", &code);
  EXPECT_EQ(code, 2);
  EXPECT_NE(out.find("usage"), std::string::npos);
}

TEST_F(SimProgramTest, EndOfInputEndsTheRunner) {
  int code = -1;
  std::string out = Run("click q2.1\n", ProgramOption(), &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(out, "");
}

}  // namespace

#ifdef HS_SHEET_PROGRAM
namespace {

// "/ih" shows the credit box and ends before any window exists: with no display to open, any
// attempt to build the window would fail the run.
TEST_F(SimProgramTest, CreditsArgumentBuildsNothing) {
  std::string cmd = "cd '" + (Base / "data").string() +
                    "' && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" HS_SHEET_PROGRAM
                    "' /ih 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0)
    out.append(buf, n);
  int status = pclose(p);
  EXPECT_EQ(WEXITSTATUS(status), 0) << out;
  EXPECT_NE(out.find("About"), std::string::npos) << out;
  EXPECT_FALSE(fs::exists(Base / "data" / "config.ini"));
}

// With a display "/ih" shows a box and waits for the user: nothing goes to standard error,
// no settings are written, and the program is still running when the test stops it.
TEST_F(SimProgramTest, CreditsOnADisplayWaitInABox) {
  std::string cmd = "cd '" + (Base / "data").string() +
                    "' && QT_QPA_PLATFORM=offscreen timeout 3 '" HS_SHEET_PROGRAM
                    "' /ih 2>&1 >/dev/null | grep -v '^QStandardPaths'";
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0)
    out.append(buf, n);
  pclose(p);
  EXPECT_EQ(out.find("About"), std::string::npos) << out;
  EXPECT_EQ(out.find("Hero sheet"), std::string::npos) << out;
  EXPECT_FALSE(fs::exists(Base / "data" / "config.ini"));
}

}  // namespace
#endif
