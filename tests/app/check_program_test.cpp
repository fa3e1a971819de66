// herosheet-check as a program: its command line, what goes to which stream, its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status = -1;
  std::string Out, Err;
};

TRun RunProgram(const std::string& folder, const std::string& args) {
  std::random_device rd;
  fs::path errFile = fs::temp_directory_path() / ("hs_check_err_" + std::to_string(rd()));
  std::string cmd =
      "cd '" + folder + "' && '" HS_CHECK_PROGRAM "' " + args + " 2>'" + errFile.string() + "'";
  TRun r;
  FILE* p = popen(cmd.c_str(), "r");
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0)
    r.Out.append(buf, n);
  int status = pclose(p);
  r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream f(errFile, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  r.Err = s.str();
  std::error_code ec;
  fs::remove(errFile, ec);
  return r;
}

TEST(CheckProgram, CommandLines) {
  const std::string data = HS_SAMPLE_DATA_DIR;
  struct TCase {
    std::string Args;
    int Status;
    std::string OutStart;  // what standard output begins with ("" : it is empty)
    std::string ErrHas;    // text standard error holds ("" : it is empty)
  };
  const TCase cases[] = {
      {"", 0, "", ""},
      {"'" + data + "'", 0, "", ""},
      {"--help", 0, "Usage: herosheet-check [--table | --json] [FOLDER]", ""},
      {"-h", 0, "Usage: herosheet-check", ""},
      {"--table", 0, "## Question 1: Gender\n\n| No. | Caption key | Answer | Effects |", ""},
      {"--json .", 0, "{\"findings\":[],\n\"lists\":[", ""},
      {"--table --json", 2, "", "exclude each other"},
      {"--frobnicate", 2, "", "unknown option --frobnicate"},
      {". .", 2, "", "one folder only"},
      {"no-such-folder", 2, "", "cannot open the folder no-such-folder"},
      {"/", 2, "array.ini:1: error: the file is missing or cannot be read\n", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Args);
    TRun r = RunProgram(data, c.Args);
    EXPECT_EQ(r.Status, c.Status);
    if (c.OutStart.empty())
      EXPECT_EQ(r.Out, "");
    else
      EXPECT_EQ(r.Out.substr(0, c.OutStart.size()), c.OutStart);
    if (c.ErrHas.empty())
      EXPECT_EQ(r.Err, "");
    else
      EXPECT_NE(r.Err.find(c.ErrHas), std::string::npos) << r.Err;
  }
}

}  // namespace
