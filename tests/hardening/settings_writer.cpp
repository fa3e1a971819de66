// Writes the five settings of config.ini again and again, one key at a time, so that a test can
// kill it at any moment.
//
//   hs_settings_writer cycle <path>
//     Left, Top, Width, Height, language in this order, each to the value i (language "xx-i");
//     picks up where the file stands: with Left = i and the keys after the first one short of i
//     still at i - 1, it goes on with that key; with all five at i it starts over with i + 1.
//   hs_settings_writer key <path> <key> <count>
//     Writes key = 1 .. count in section main, then exits.
//
// Gives up after a minute in any case. Exit codes: 0 done, 2 bad arguments, 3 a write failed.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/os.h"

namespace {

const char* const kKeys[5] = {"Left", "Top", "Width", "Height", "language"};

std::string ValueText(int key, int32_t i) {
  return key == 4 ? "xx-" + std::to_string(i) : std::to_string(i);
}

int32_t ValueOf(int key, const std::string& path) {
  if (key < 4) return os::ReadProfileInt("main", kKeys[key], 0, path);
  std::string s = os::ReadProfileString("main", kKeys[key], "xx-0", path);
  return std::atoi(s.c_str() + (s.size() > 3 ? 3 : s.size()));
}

}  // namespace

int main(int argc, char** argv) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  if (argc >= 3 && std::strcmp(argv[1], "cycle") == 0) {
    std::string path = argv[2];
    int32_t i = ValueOf(0, path);
    int k = 1;
    while (k < 5 && ValueOf(k, path) == i)
      ++k;
    if (k == 5) {
      ++i;
      k = 0;
    }
    while (std::chrono::steady_clock::now() < until) {
      for (; k < 5; ++k)
        if (!os::WriteProfileString("main", kKeys[k], ValueText(k, i), path)) return 3;
      k = 0;
      ++i;
    }
    return 0;
  }
  if (argc >= 5 && std::strcmp(argv[1], "key") == 0) {
    int count = std::atoi(argv[4]);
    for (int i = 1; i <= count && std::chrono::steady_clock::now() < until; ++i)
      if (!os::WriteProfileString("main", argv[3], std::to_string(i), argv[2])) return 3;
    return 0;
  }
  return 2;
}
