// The whole choice loader on a pair of files (array.ini, then choice.ini), followed by applying
// and previewing, in every question, every answer number the stored lines name.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "runtime/globalvar.h"
#include "runtime/initprocs.h"
#include "tests/scheme/fixture.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

void WriteFile(const char* name, std::string_view bytes) {
  std::ofstream f(name, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The loader reads from the current folder: a private one for the whole run.
void EnterScratchFolder() {
  static TempFolder folder;
  static bool done = false;
  if (done) return;
  done = true;
  if (chdir(folder.Path().c_str()) != 0) std::abort();
}

size_t CountLines(std::string_view text) {
  size_t n = 1;
  for (char c : text)
    n += c == '\r';
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchFolder();
  FuzzedDataProvider in(data, size);
  std::string arrayIni = in.ConsumeRandomLengthString(1 << 14);
  std::string choiceIni = in.ConsumeRemainingBytesAsString();
  WriteFile("array.ini", arrayIni);
  WriteFile("choice.ini", choiceIni);

  ClearGlobalVars();
  InitProcs.clear();
  InitDone = false;
  InstallDispatchers();
  {
    TTestSheet sheet;
    sheet.Load();

    // Every answer number the stored lines name (as the effects read it), and the usual ones.
    std::set<int32_t> answers = {0, 1, 2};
    size_t stored = 0;
    for (int l = 0; l < 7; ++l) {
      for (const std::string& line : sheet.Lines(l)) {
        ++stored;
        if (answers.size() < 64) answers.insert(ParseInt(line.substr(0, line.find(' '))));
      }
    }
    Check(stored <= CountLines(choiceIni), "more stored lines than lines in the file");

    // A whole commit with the largest answer number found (it also picks the male lists).
    int32_t last = *answers.rbegin();
    sheet.Commit({1, last, last, 2, last});
    Check(Table("attrib").size() == 5 && Table("skills").size() == 25 &&
              Table("profic").size() == 7 && Table("other").size() == 5,
          "a table changed its size");

    // Each answer applied to every question on top of the others, and previewed.
    sheet.ResetTables();
    for (int32_t k : answers) {
      for (int q = 0; q < 5; ++q) {
        sheet.Apply(q, k);
        for (const auto& [box, label] : sheet.Preview(q, k)) {
          (void)label;
          Check(box >= 0 && box < 4, "a preview reported a box that does not exist");
        }
      }
    }
  }
  ResetDispatchers();
  ClearGlobalVars();
  return 0;
}
