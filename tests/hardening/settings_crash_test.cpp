// config.ini under a writer killed at random moments, and under two writers at once.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
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
  auto until = Clock::now() + std::chrono::seconds(45);
  while (kills < 200 && Clock::now() < until) {
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
  RecordProperty("kills", kills);
  std::printf("%d kills: 0 torn, %d temporary files left after the next write\n", kills,
              entries - 1);
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

// Two instances closing at the same moment: config.ini ends with the whole placement of one of
// them, never Left from one and Top from the other, and no temporary file stays behind.
TEST(SettingsCrash, TwoInstancesClosingTogetherKeepOnePlacementWhole) {
  const int trials = 100;
  int torn = 0, mixed = 0, leftovers = 0, failed = 0;
  std::string example;
  for (int t = 0; t < trials; ++t) {
    TempFolder dir;
    const std::string start = "[main]\r\nlanguage=en\r\n";
    dir.Write("config.ini", start);
    // Each instance is placed apart from the other, differently in every trial.
    int place[2][4] = {{10 + t, 20 + t, 600 + t, 450 + t}, {300 + t, 200 + t, 700 + t, 500 + t}};
    std::string whole[2];
    pid_t pid[2];
    int in[2], out[2];
    for (int k = 0; k < 2; ++k) {
      const int* p = place[k];
      whole[k] = start + "Left=" + std::to_string(p[0]) + "\r\nTop=" + std::to_string(p[1]) +
                 "\r\nWidth=" + std::to_string(p[2]) + "\r\nHeight=" + std::to_string(p[3]) +
                 "\r\n";
      pid[k] = SpawnPiped(HS_SIM_PROGRAM, {"--program-dir", dir.Path()}, &in[k], &out[k]);
      ASSERT_GT(pid[k], 0);
      std::string cmd = "place " + std::to_string(p[0]) + " " + std::to_string(p[1]) + " " +
                        std::to_string(p[2]) + " " + std::to_string(p[3]) + "\ndump\n";
      ASSERT_EQ(::write(in[k], cmd.data(), cmd.size()), static_cast<ssize_t>(cmd.size()));
    }
    // Both are built and placed: now both close at once.
    bool ready = ReadUntilLine(out[0], ".") && ReadUntilLine(out[1], ".");
    for (int k = 0; k < 2; ++k)
      [[maybe_unused]] ssize_t n = ::write(in[k], "close\n", 6);
    for (int k = 0; k < 2; ++k) {
      ::close(in[k]);
      ::close(out[k]);
      if (WaitFor(pid[k]) != 0) ++failed;
    }
    ASSERT_TRUE(ready);

    std::string text = dir.Read("config.ini");
    if (text != whole[0] && text != whole[1]) {
      // Mixed: every line is one of either instance's lines; torn: anything else.
      bool fromEither = text.size() > start.size() && text.compare(0, start.size(), start) == 0;
      if (fromEither) {
        size_t at = start.size();
        while (at < text.size() && fromEither) {
          size_t end = text.find("\r\n", at);
          if (end == std::string::npos) {
            fromEither = false;
            break;
          }
          std::string line = text.substr(at, end - at + 2);
          fromEither =
              whole[0].find(line) != std::string::npos || whole[1].find(line) != std::string::npos;
          at = end + 2;
        }
      }
      ++(fromEither ? mixed : torn);
      if (example.empty()) example = text;
    }
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
      if (e.path().filename() != "config.ini") ++leftovers;
  }
  RecordProperty("trials", trials);
  RecordProperty("torn", torn);
  RecordProperty("mixed", mixed);
  RecordProperty("temp_files_left", leftovers);
  std::printf("%d simultaneous closes: %d torn, %d mixed, %d temporary files left\n", trials, torn,
              mixed, leftovers);
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(torn, 0) << example;
  EXPECT_EQ(mixed, 0) << example;
  EXPECT_EQ(leftovers, 0);
}
