// A language file of arbitrary bytes, chosen through config.ini and loaded from the program's
// folder; Translate then answers every key by the entry rules (first line wins, "|" splits).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "elements/translator.h"
#include "platform/os.h"
#include "tests/support/temp_folder.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

// The program folder for the whole run, removed at exit.
const TempFolder& ProgramFolder() {
  static TempFolder folder;
  return folder;
}

// CR or CR LF end a line, a zero byte ends the text.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> out;
  std::string cur;
  bool open = false;
  for (size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\r') {
      out.push_back(cur);
      cur.clear();
      open = false;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur.push_back(text[i]);
      open = true;
    }
  }
  if (open) out.push_back(cur);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TempFolder& folder = ProgramFolder();
  static bool ready = false;
  if (!ready) {
    ready = true;
    folder.MakeProgramFolder();
    folder.Write("config.ini", "[main]\r\nlanguage=xx\r\n");
  }
  std::string text(reinterpret_cast<const char*>(data), size);
  folder.Write("xx.lng", text);

  THITranslator t;
  t.Load();
  Check(TranslationLoaded(), "the chosen file was not loaded");

  std::vector<std::string> lines = Lines(text);
  Check(TranslationCount() == lines.size(), "entry count differs from the line count");
  // Each line's key answers the text of the first line with that key.
  for (size_t i = 0; i < lines.size() && i < 256; ++i) {
    size_t bar = lines[i].find('|');
    std::string key = bar == std::string::npos ? lines[i] : lines[i].substr(0, bar);
    std::string want;
    for (const std::string& l : lines) {
      size_t b = l.find('|');
      if ((b == std::string::npos ? l : l.substr(0, b)) == key) {
        want = b == std::string::npos ? l : l.substr(b + 1);
        break;
      }
    }
    Check(Translate(key) == want, "Translate differs from the first entry of its key");
  }
  Check(Translate("\x01no such key\x02") == "\x01no such key\x02" ||
            text.find("\x01no such key\x02") != std::string::npos,
        "a missing key is not answered with itself");
  ClearTranslation();
  return 0;
}
