// The data checker on a folder of three files (array.ini, a language file, then choice.ini): it
// must not fail on any bytes, and the lines it reads into each block must be exactly the lines
// the sheet's own choice loader gives that list.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "app/check/answer_effects_table.h"
#include "app/check/check_run.h"

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

// The checker reads the current folder: a private one for the whole run.
void EnterScratchFolder() {
  static bool done = false;
  if (done) return;
  done = true;
  static char dir[] = "/tmp/hs_fuzz_check_XXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) std::abort();
  std::atexit([] {
    std::remove("array.ini");
    std::remove("choice.ini");
    std::remove("xx.lng");
    std::remove(dir);
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchFolder();
  FuzzedDataProvider in(data, size);
  WriteFile("array.ini", in.ConsumeRandomLengthString(1 << 14));
  WriteFile("xx.lng", in.ConsumeRandomLengthString(1 << 12));
  WriteFile("choice.ini", in.ConsumeRemainingBytesAsString());

  TFolderCheck check = CheckCurrentFolder();
  for (const TFinding& f : check.Findings.All())
    Check(f.Line >= 1 && !f.Text.empty() && !f.Error, "a finding without line or text");
  std::vector<TListTable> lists = ComputeAnswerEffects();
  Check(lists.size() == 7, "not seven lists");
  for (size_t b = 0; b < lists.size(); ++b) {
    std::vector<std::string> read;
    for (const TChoiceBlock& block : check.Blocks)
      if (block.Number == static_cast<int>(b))
        read.insert(read.end(), block.Stored.begin(), block.Stored.end());
    Check(read == lists[b].Stored, "the checker and the loader read different lines");
  }
  return 0;
}
