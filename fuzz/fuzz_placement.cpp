// The window placement read from a config.ini of arbitrary bytes: every value is read with the
// window's own as default and clamped to what a desktop can show; the save writes the four keys
// in one rewrite with exactly the bytes of four single writes, and they read back as placed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "controls/app.h"
#include "controls/mainform.h"
#include "fuzz/scratch_folder.h"
#include "platform/os.h"
#include "runtime/event.h"
#include "ui/backend.h"
#include "ui/backends/headless/backend_headless.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

std::string g_folder;

void WriteFile(const std::string& name, std::string_view bytes) {
  std::ofstream f(g_folder + name, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& name) {
  std::string out;
  os::ReadWholeFile(g_folder + name, out);
  return out;
}

const char* const kKeys[4] = {"Left", "Top", "Width", "Height"};
// Start values of the form and the bounds of each key.
const int32_t kStart[4] = {0, 0, 555, 445};
const int32_t kLow[4] = {-32000, -32000, 136, 39};
const int32_t kHigh[4] = {32000, 32000, 8192, 8192};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_folder.empty()) {
    g_folder = ScratchFolder("hs_fuzz_placement");
    std::atexit([] {
      std::remove((g_folder + "config.ini").c_str());
      std::remove((g_folder + "model.ini").c_str());
      std::remove(g_folder.c_str());
    });
    os::SetProgramFolder(g_folder);
  }
  std::string_view text(reinterpret_cast<const char*>(data), size);
  WriteFile("config.ini", text);
  WriteFile("model.ini", text);
  std::string config = g_folder + "config.ini", model = g_folder + "model.ini";

  SetBackend(&HeadlessBackend());
  ResetApplication();
  InstallDispatchers();
  {
    THIMainForm form;
    form.Left = kStart[0];
    form.Top = kStart[1];
    form.Width = kStart[2];
    form.Height = kStart[3];
    form.Place = "config.ini\\main";
    form.Init();
    form.Placement(0);
    TControl& c = *form.Control;
    const int32_t got[4] = {c.Left(), c.Top(), c.Width(), c.Height()};
    for (int k = 0; k < 4; ++k) {
      int32_t read = os::ReadProfileInt("main", kKeys[k], kStart[k], config);
      Check(got[k] == std::clamp(read, kLow[k], kHigh[k]), "a value is not the clamped one read");
    }

    form.Placement(1);
    for (int k = 0; k < 4; ++k)
      os::WriteProfileString("main", kKeys[k], std::to_string(got[k]), model);
    Check(ReadFile("config.ini") == ReadFile("model.ini"),
          "the save differs from four single writes");
    for (int k = 0; k < 4; ++k)
      Check(os::ReadProfileInt("main", kKeys[k], kStart[k] + 1, config) == got[k],
            "a saved value reads back otherwise");
  }
  ResetDispatchers();
  ResetApplication();
  return 0;
}
