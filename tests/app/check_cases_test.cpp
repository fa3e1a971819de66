// The data checker on the cases in check_cases/: each *.case file names the bytes of the files
// of one folder and the exact findings and exit status expected for it (optionally the exact
// --table output). For every case the blocks the checker reads must also hold exactly the lines
// the sheet's own choice loader stores.
//
// Case format: lines before the first "== " line describe the case. "== file NAME" starts a
// file whose bytes are the following lines with escapes (\r \n \0 \t \\ \xHH) and without the
// case file's own line ends. "== expect N" starts the expected findings, one a line, and N is
// the exit status. "== table" starts the expected --table output, each line ending in LF.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "app/check/answer_effects_table.h"
#include "app/check/check_run.h"

namespace {

namespace fs = std::filesystem;

struct TCase {
  std::string Name;
  std::map<std::string, std::string> Files;
  std::vector<std::string> Expected;
  int Exit = -1;
  bool HasTable = false;
  std::string Table;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 >= s.size()) {
      out += s[i];
      continue;
    }
    char c = s[++i];
    if (c == 'r')
      out += '\r';
    else if (c == 'n')
      out += '\n';
    else if (c == '0')
      out += '\0';
    else if (c == 't')
      out += '\t';
    else if (c == 'x' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
      i += 2;
    } else
      out += c;
  }
  return out;
}

TCase ReadCase(const fs::path& path) {
  TCase c;
  c.Name = path.filename().string();
  std::ifstream in(path, std::ios::binary);
  std::string line;
  enum { None, File, Expect, Table } section = None;
  std::string file;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("== file ", 0) == 0) {
      section = File;
      file = line.substr(8);
      c.Files[file];
    } else if (line.rfind("== expect ", 0) == 0) {
      section = Expect;
      c.Exit = std::stoi(line.substr(10));
    } else if (line == "== table") {
      section = Table;
      c.HasTable = true;
    } else if (section == File) {
      c.Files[file] += Unescape(line);
    } else if (section == Expect && !line.empty()) {
      c.Expected.push_back(line);
    } else if (section == Table) {
      c.Table += line + "\n";
    }
  }
  return c;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);)
    out.push_back(l);
  return out;
}

class CheckCasesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    Dir = fs::temp_directory_path() / ("hs_check_" + std::to_string(rd()));
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  void WriteFolder(const TCase& c) {
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    for (const auto& [name, bytes] : c.Files) {
      std::ofstream f(Dir / name, std::ios::binary);
      f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
  }
  // The checker's blocks against the lines the choice loader gives each list.
  void ExpectSameLinesAsLoader() {
    fs::path old = fs::current_path();
    fs::current_path(Dir);
    TFolderCheck check = CheckCurrentFolder();
    std::vector<TListTable> lists = ComputeAnswerEffects();
    fs::current_path(old);
    ASSERT_EQ(lists.size(), 7u);
    for (size_t b = 0; b < lists.size(); ++b) {
      std::vector<std::string> read;
      for (const TChoiceBlock& block : check.Blocks)
        if (block.Number == static_cast<int>(b))
          read.insert(read.end(), block.Stored.begin(), block.Stored.end());
      EXPECT_EQ(read, lists[b].Stored) << "list of block " << b;
    }
  }
  fs::path Dir;
};

TEST_F(CheckCasesTest, EachCaseGivesItsFindings) {
  size_t cases = 0;
  std::vector<fs::path> paths;
  for (const auto& e : fs::directory_iterator(HS_CHECK_CASES_DIR))
    if (e.path().extension() == ".case") paths.push_back(e.path());
  std::sort(paths.begin(), paths.end());
  for (const fs::path& path : paths) {
    TCase c = ReadCase(path);
    SCOPED_TRACE(c.Name);
    ASSERT_GE(c.Exit, 0) << "no == expect line";
    WriteFolder(c);
    std::ostringstream out, err;
    int status = RunCheck(Dir.string(), TCheckOutput::Findings, out, err);
    EXPECT_EQ(Lines(out.str()), c.Expected);
    EXPECT_EQ(status, c.Exit);
    EXPECT_EQ(err.str(), "");

    std::ostringstream tableOut, tableErr;
    EXPECT_EQ(RunCheck(Dir.string(), TCheckOutput::Table, tableOut, tableErr), c.Exit);
    EXPECT_EQ(Lines(tableErr.str()), c.Expected) << "--table sends the findings to stderr";
    if (c.HasTable) {
      EXPECT_EQ(tableOut.str(), c.Table);
    }

    std::ostringstream jsonOut, jsonErr;
    EXPECT_EQ(RunCheck(Dir.string(), TCheckOutput::Json, jsonOut, jsonErr), c.Exit);
    ExpectSameLinesAsLoader();
    ++cases;
  }
  EXPECT_GE(cases, 8u);
}

}  // namespace
