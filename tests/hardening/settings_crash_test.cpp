// config.ini under a writer killed at random moments, and under two writers at once.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <regex>
#include <string>
#include <thread>

#include "hardening_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kKeys[5] = {"Left", "Top", "Width", "Height", "language"};

// The file after the first k keys were written with i and the others still hold i - 1.
std::string Settings(int32_t i, int k) {
  std::string s = "[main]\r\n";
  for (int key = 0; key < 5; ++key) {
    int32_t v = key < k ? i : i - 1;
    s += std::string(kKeys[key]) + "=" + (key == 4 ? "xx-" : "") + std::to_string(v) + "\r\n";
  }
  return s;
}

// Finds (i, k) with Settings(i, k) == text: the file is one whole state of the writer.
bool WholeState(const std::string& text, int32_t& i, int& k) {
  std::smatch m;
  static const std::regex left("^\\[main\\]\r\nLeft=(\\d+)\r\n");
  if (!std::regex_search(text, m, left)) return false;
  i = std::stoi(m[1]);
  for (k = 5; k >= 1; --k)
    if (Settings(i, k) == text) return true;
  // Left not yet written in this round: all at i.
  if (Settings(i + 1, 0) == text) {
    i += 1;
    k = 0;
    return true;
  }
  return false;
}

}  // namespace

TEST(SettingsCrash, KilledWriterLeavesTheOldOrTheNewFile) {
  TempFolder dir;
  std::string path = dir.Path("config.ini");
  dir.Write("config.ini", Settings(1, 0));
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<int> delayUs(0, 100000);

  int32_t lastI = 0;
  int lastK = 0;
  int kills = 0;
  auto until = Clock::now() + std::chrono::seconds(25);
  while (kills < 120 && Clock::now() < until) {
    pid_t pid = Spawn(HS_SETTINGS_WRITER, {"cycle", path});
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(rng)));
    ::kill(pid, SIGKILL);
    int code = WaitFor(pid);
    ASSERT_TRUE(code == 128 + SIGKILL || code == 0) << "writer failed with " << code;
    ++kills;

    std::string text = dir.Read("config.ini");
    int32_t i = 0;
    int k = 0;
    ASSERT_TRUE(WholeState(text, i, k)) << "after kill " << kills << ":\n" << text;
    // Never back to an earlier state: a finished write stays.
    ASSERT_TRUE(i > lastI || (i == lastI && k >= lastK)) << "after kill " << kills;
    lastI = i;
    lastK = k;
  }
  EXPECT_GE(kills, 20);
  // The writer got somewhere between the kills.
  EXPECT_GE(lastI, 2) << "the writer hardly ever finished a write";

  // The temporary files of killed writers go with the next write.
  ASSERT_EQ(WaitFor(Spawn(HS_SETTINGS_WRITER, {"key", path, "Left", "1"})), 0);
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
    ++entries;
    EXPECT_EQ(e.path().filename(), "config.ini");
  }
  EXPECT_EQ(entries, 1);
}

TEST(SettingsCrash, TwoWritersKeepBothKeys) {
  TempFolder dir;
  std::string path = dir.Path("config.ini");
  const int count = 150;
  pid_t a = Spawn(HS_SETTINGS_WRITER, {"key", path, "Left", std::to_string(count)});
  pid_t b = Spawn(HS_SETTINGS_WRITER, {"key", path, "language", std::to_string(count)});
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);

  // While they run, the file is missing or holds the section and one line per key written.
  static const std::regex shape(
      "\\[main\\]\r\n((Left=\\d+\r\n)(language=\\d+\r\n)?|(language=\\d+\r\n)(Left=\\d+\r\n)?)");
  int codeA = -1, codeB = -1;
  int samples = 0;
  bool broken = false;
  std::string seen;
  while (codeA < 0 || codeB < 0) {
    std::string text = dir.Read("config.ini", "<missing>");
    if (text != "<missing>") {
      ++samples;
      if (!broken && !std::regex_match(text, shape)) {
        broken = true;
        seen = text;
      }
    }
    if (codeA < 0) codeA = TryWait(a);
    if (codeB < 0) codeB = TryWait(b);
  }
  EXPECT_FALSE(broken) << seen;
  EXPECT_EQ(codeA, 0);
  EXPECT_EQ(codeB, 0);
  // Both writers' last values are there: no write was lost to the other writer.
  std::string text = dir.Read("config.ini");
  EXPECT_TRUE(std::regex_match(text, shape)) << text;
  EXPECT_NE(text.find("Left=" + std::to_string(count) + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("language=" + std::to_string(count) + "\r\n"), std::string::npos) << text;
  EXPECT_GT(samples, 0);
}
