// The settings panel on language files of arbitrary names in the current folder: opening lists
// exactly the names that match "*.lng" and do not start with a dot, each cut at its first dot,
// in listing order; a pick is written to config.ini and the note says "restart" exactly when
// config.ini then reads back as the pick.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/sheet.h"
#include "fuzz/scratch_folder.h"
#include "platform/os.h"
#include "ui/backend.h"
#include "ui/backends/headless/simulator.h"

namespace fs = std::filesystem;

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

std::string g_data, g_program;

void EmptyFolder(const std::string& dir) {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    fs::remove_all(e.path(), ec);
}

// The items opening should list: the folder's files in listing order, by the panel's rule.
std::vector<std::string> ExpectedItems() {
  std::vector<os::DirEntry> entries;
  std::vector<std::string> items;
  if (!os::ListFolder(g_data, entries)) return items;
  for (const os::DirEntry& e : entries) {
    const std::string& n = e.Name;
    if (e.IsFolder || n.empty() || n[0] == '.') continue;
    std::string low;
    for (char c : n)
      low.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c);
    if (low.size() < 4 || low.compare(low.size() - 4, 4, ".lng") != 0) continue;
    items.push_back(n.substr(0, n.find('.')));
  }
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_data.empty()) {
    g_data = ScratchFolder("hs_fuzz_settings_data");
    g_program = ScratchFolder("hs_fuzz_settings_program");
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(g_data, ec);
      fs::remove_all(g_program, ec);
    });
    if (::chdir(g_data.c_str()) != 0) std::abort();
    os::SetProgramFolder(g_program);
  }
  EmptyFolder(g_data);
  FuzzedDataProvider in(data, size);
  uint8_t pick = in.ConsumeIntegral<uint8_t>();
  bool readOnly = in.ConsumeBool();
  std::string config = in.ConsumeRandomLengthString(256);
  for (int i = 0; i < 8 && in.remaining_bytes() > 0; ++i) {
    std::string name = in.ConsumeRandomLengthString(120);
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string("/\0", 2)) != std::string::npos)
      continue;
    std::ofstream(g_data + name, std::ios::binary);
  }
  fs::permissions(g_program, fs::perms::owner_all, fs::perm_options::replace);
  std::string configPath = g_program + "config.ini";
  fs::remove(configPath);
  std::ofstream(configPath, std::ios::binary) << config;
  if (readOnly) fs::permissions(configPath, fs::perms::owner_read, fs::perm_options::replace);

  SetBackend(&HeadlessBackend());
  {
    TSheet sheet;
    TSimulator mouse;
    TControl* settings = sheet.Find("settings");
    TControl* list = sheet.Find("panel.language");
    TControl* restartNote = sheet.Find("panel.note");
    Check(settings && list && restartNote, "no settings panel");
    mouse.Click(*settings);
    TControl& box = *list;
    std::vector<std::string> items;
    for (int i = 0; i < box.ItemCount(); ++i)
      items.push_back(box.Item(i));
    Check(items == ExpectedItems(), "the list differs from the files");
    if (!items.empty()) {
      std::string item = items[pick % items.size()];
      std::string before = os::ReadProfileString("main", "language", "", configPath);
      mouse.PickItem(box, static_cast<int>(pick % items.size()));
      std::string after = os::ReadProfileString("main", "language", "", configPath);
      const TControl& note = *restartNote;
      Check(note.Visible(), "no note after a pick");
      Check(note.Text() == (after == item ? "btn_msg_restart" : "btn_msg_not_saved"),
            "the note does not say whether the pick reads back");
      if (readOnly) Check(after == before, "a read-only config.ini changed");
    }
    mouse.Leave();
  }
  return 0;
}
