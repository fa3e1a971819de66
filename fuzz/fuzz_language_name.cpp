// The language name read from a config.ini of arbitrary bytes: the translator loads exactly the
// language file whose name without extension equals it, byte for byte, or none; then a pick
// written over it reads back, and the placement keys beside it are left as they were.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "elements/translator.h"
#include "fuzz/scratch_folder.h"
#include "platform/os.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

std::string g_folder;

// The language files of the program folder: file name, and the language it is for.
const char* const kFiles[][2] = {
    {"en.lng", "en"}, {"RU.LNG", "RU"}, {"pt.br.lng", "pt.br"}, {".lng", ""}, {"a b.lng", "a b"}};

void WriteFile(const std::string& name, std::string_view bytes) {
  std::ofstream f(g_folder + name, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_folder.empty()) {
    g_folder = ScratchFolder("hs_fuzz_language_name");
    std::atexit([] {
      std::remove((g_folder + "config.ini").c_str());
      for (const auto& f : kFiles)
        std::remove((g_folder + f[0]).c_str());
      std::remove(g_folder.c_str());
    });
    os::SetProgramFolder(g_folder);
    for (const auto& f : kFiles)
      WriteFile(f[0], std::string("k|") + f[1] + "\r\n");
  }
  std::string config = g_folder + "config.ini";
  WriteFile("config.ini", std::string_view(reinterpret_cast<const char*>(data), size));

  std::string name = os::ReadProfileString("main", "language", "", config);
  Check(name.size() <= os::kProfileStringMax, "the name is longer than the ini buffer");
  Check(name.find_first_of("\r\n") == std::string::npos, "the name holds a line break");

  THITranslator t;
  t.Load();
  const char* want = nullptr;
  for (const auto& f : kFiles)
    if (name == f[1]) want = f[1];
  Check(TranslationLoaded() == (want != nullptr), "a file was loaded for no name or not loaded");
  if (want) Check(Translate("k") == want, "another language file was loaded");
  ClearTranslation();

  // A pick written over whatever was there reads back; the placement stays.
  int32_t left = os::ReadProfileInt("main", "Left", -7, config);
  std::string top = os::ReadProfileString("main", "Top", "none", config);
  Check(os::WriteProfileString("main", "language", "pt", config), "a pick was refused");
  Check(os::ReadProfileString("main", "language", "", config) == "pt",
        "the pick reads back otherwise");
  Check(os::ReadProfileInt("main", "Left", -7, config) == left, "Left changed with the pick");
  Check(os::ReadProfileString("main", "Top", "none", config) == top, "Top changed with the pick");
  return 0;
}
