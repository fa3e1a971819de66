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
    return Shell(cmd, code);
  }
  // What a shell command prints; its exit status in *code.
  static std::string Shell(const std::string& cmd, int* code) {
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

  // The answer code of a list of "click qQ.K" lines.
  static std::string FormatCode(const std::string& clicks) {
    std::string answers[] = {"0", "0", "0", "0", "0"};
    for (size_t p = clicks.find("click q"); p != std::string::npos;
         p = clicks.find("click q", p + 1))
      answers[clicks[p + 7] - '1'] = clicks.substr(p + 9, clicks.find('\n', p) - p - 9);
    return answers[0] + "." + answers[1] + "." + answers[2] + "." + answers[3] + "." + answers[4];
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

struct TAnswersCase {
  std::string Code;
  const char* ByHand;  // the commands giving the same sheet
  bool Refused;        // a line on standard error, the sheet unanswered
};

// --answers clicks the answers before the first command and leaves no preview behind: the dump
// equals that of clicking by hand with the mouse resting on the form, and copy names the code.
// A code that does not fit opens nothing; one naming a missing answer is undone by a clear.
TEST_F(SimProgramTest, AnswersOptionOpensTheSheetOfACode) {
  const TAnswersCase cases[] = {
      {"2.6.1.4.3", "click q1.2\nclick q2.6\nclick q3.1\nclick q4.4\nclick q5.3\nhover form\n",
       false},
      {"a=0.4.0.0.1", "click q2.4\nclick q5.1\nhover form\n", false},
      {"page.html#a=1.3.2.5.4",
       "click q1.1\nclick q2.3\nclick q3.2\nclick q4.5\nclick q5.4\nhover form\n", false},
      {"9.9.9.9.9", "click clear\nhover form\n", true},
      {"1.2.3.4.9", "click q1.1\nclick q2.2\nclick clear\nhover form\n", true},
      {"1..2", "", true},
      {"", "", true},
      {"1.2.3.4.5.6", "", true},
      {std::string(10240, '7'), "", true},
      {"\xD0\x9F.1.1.1.1", "", true},
  };
  for (const TAnswersCase& c : cases) {
    std::string expected = Run(std::string(c.ByHand) + "dump\n", ProgramOption());
    int code = -1;
    std::string out = Run("dump\n", ProgramOption() + " --answers '" + c.Code + "'", &code);
    std::string tag = c.Code.substr(0, 24);
    EXPECT_EQ(code, 0) << tag;
    EXPECT_EQ(out.find("answer code \"") != std::string::npos, c.Refused) << tag;
    if (c.Refused) {
      std::string first = out.substr(0, out.find('\n') + 1);
      EXPECT_EQ(first.rfind("herosheet-sim: answer code \"", 0), 0u) << first;
      EXPECT_NE(first.find("; the sheet starts unanswered\n"), std::string::npos) << first;
      out.erase(0, first.size());
    }
    EXPECT_EQ(out, expected) << tag;
    std::string copied = Run("copy\n", ProgramOption() + " --answers '" + c.Code + "'");
    std::string written = c.Refused ? "0.0.0.0.0" : FormatCode(c.ByHand);
    EXPECT_NE(copied.find("\n\n" + written + "\n.\n"), std::string::npos) << tag << copied;
  }
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

struct TSheetArgsCase {
  const char* Args;
  int Code;             // 124: still running when the test stops it
  const char* Message;  // on standard error, "" for none
  bool Display = true;  // false: no display can be opened
};

// The desktop program's options after those of its toolkit: "--answers" opens a code (a bad one
// is reported and the program runs on), anything else is refused with the usage line.
TEST_F(SimProgramTest, SheetProgramOptions) {
  const TSheetArgsCase cases[] = {
      {"--answers 2.6.1.4.3", 124, ""},
      {"-platform offscreen --answers=1.3.0.0.0", 124, ""},
      {"--answers 9.9.9.9.9", 124,
       "herosheet: answer code \"9.9.9.9.9\" names an answer the data does not have; the sheet "
       "starts unanswered\n"},
      {"--answers", 2, "usage: herosheet [/ih | --answers CODE]\n"},
      {"--frobnicate", 2, "usage: herosheet [/ih | --answers CODE]\n"},
      {"--answers 1.3.0.0.0 extra", 2, "usage: herosheet [/ih | --answers CODE]\n"},
      // Without a display: what cannot be the toolkit's is refused before one is asked for.
      {"extra", 2, "usage: herosheet [/ih | --answers CODE]\n", false},
      {"--answers", 2, "usage: herosheet [/ih | --answers CODE]\n", false},
      {"-style fusion --answers 1.3.0.0.0", 1,
       "herosheet: no display can be opened (is DISPLAY or WAYLAND_DISPLAY set?)\n", false},
  };
  for (const TSheetArgsCase& c : cases) {
    std::string cmd = "cd '" + (Base / "data").string() + "' && XDG_CONFIG_HOME='" +
                      (Base / "config").string() +
                      (c.Display ? "' QT_QPA_PLATFORM=offscreen"
                                 : "' env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb") +
                      " timeout 3 '" HS_SHEET_PROGRAM "' " + c.Args +
                      " 2>&1 >/dev/null | grep -v '^QStandardPaths'; exit ${PIPESTATUS[0]}";
    Temp.Write("run.sh", cmd);
    int code = -1;
    std::string out = Shell("bash '" + (Base / "run.sh").string() + "'", &code);
    EXPECT_EQ(code, c.Code) << c.Args;
    EXPECT_EQ(out, c.Message) << c.Args;
  }
}

}  // namespace
#endif
