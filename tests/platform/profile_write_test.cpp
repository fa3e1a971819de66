// Settings writes on POSIX: several keys in one rewrite, the bounded wait for other writers,
// links followed to the folder of their target, and files too big to be settings.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/os.h"
#include "tests/support/lock_holder.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Pairs = std::vector<std::pair<std::string, std::string>>;

namespace {

// Runs write on another thread; its answer and the seconds it took, or nothing when it has not
// answered within limitSeconds (the caller must then free what blocks it, and the thread is
// joined when the future goes).
struct TTimed {
  std::optional<bool> Result;
  double Seconds = 0;
};
TTimed Timed(std::future<bool>& f, Clock::time_point start, double limitSeconds) {
  TTimed t;
  auto limit = std::chrono::duration<double>(limitSeconds);
  if (f.wait_for(limit) == std::future_status::ready) {
    t.Result = f.get();
    t.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
  }
  return t;
}

std::future<bool> StartWrite(const Pairs& values, const std::string& path) {
  return std::async(std::launch::async, [values, path] {
    return values.size() == 1
               ? os::WriteProfileString("main", values[0].first, values[0].second, path)
               : os::WriteProfileStrings("main", values, path);
  });
}

size_t EntriesIn(const std::string& dir) {
  size_t n = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(dir))
    ++n;
  return n;
}

}  // namespace

TEST(ProfileWrite, SeveralKeysGiveTheBytesOfOneWriteAfterAnother) {
  const Pairs placement = {{"Left", "10"}, {"Top", "-20"}, {"Width", "640"}, {"Height", "480"}};
  const Pairs withRefused = {{"Left", "1"}, {"bad\nkey", "2"}, {"Top", "3"}, {"x", "a\rb"}};
  const Pairs sameKeyTwice = {{"Left", "1"}, {"LEFT", "2"}, {"language", "en"}};
  const std::optional<std::string> starts[] = {
      std::nullopt,
      "",
      "[main]\r\nlanguage=en\r\n",
      "[main]\nHeight=1\nlanguage=ru\nLeft=5\n",
      "; hand-written\r\n[other]\r\nLeft=7\r\n\r\n[MAIN]\r\n  top = 4 \r\n\r\n",
      "[main]\r\nWidth=9\r\n[main]\r\nLeft=\"3\"\r\n",
      "[main]\rLeft=1\rTop=2",
      "no section line\n[x]\n",
  };
  int n = 0;
  for (const auto& start : starts) {
    for (const Pairs* values : {&placement, &withRefused, &sameKeyTwice}) {
      SCOPED_TRACE("case " + std::to_string(n++));
      TempFolder t;
      std::string one = t.Path("one.ini"), each = t.Path("each.ini");
      if (start) {
        t.Write("one.ini", *start);
        t.Write("each.ini", *start);
      }
      bool expected = true;
      for (const auto& [k, v] : *values)
        if (!os::WriteProfileString("main", k, v, each)) expected = false;
      EXPECT_EQ(os::WriteProfileStrings("main", *values, one), expected);
      EXPECT_EQ(t.Read("one.ini"), t.Read("each.ini"));
      EXPECT_EQ(EntriesIn(t.Path()), 2u);
    }
  }
  // Nothing writable: no file is made.
  TempFolder t;
  EXPECT_FALSE(os::WriteProfileStrings("main", {{"", "1"}, {"k", "\n"}}, t.Path("c.ini")));
  EXPECT_TRUE(os::WriteProfileStrings("main", {}, t.Path("c.ini")));
  EXPECT_FALSE(os::FileExists(t.Path("c.ini")));
  EXPECT_FALSE(os::WriteProfileStrings("ma]in", {{"k", "1"}}, t.Path("c.ini")));
}

// A writer that holds the lock for ever (stopped mid-write, say) delays a write by the bounded
// wait only; the write then goes ahead and is stored whole.
TEST(ProfileWrite, ALockHeldElsewhereDelaysTheWriteBoundedly) {
  const Pairs one = {{"language", "ru"}};
  const Pairs four = {{"Left", "1"}, {"Top", "2"}, {"Width", "300"}, {"Height", "200"}};
  for (const Pairs* values : {&one, &four}) {
    TempFolder t;
    std::string path = t.Write("config.ini", "[main]\r\nlanguage=en\r\n");
    std::optional<TLockHolder> holder(std::in_place, t.Path());
    ASSERT_TRUE(holder->Held);
    auto start = Clock::now();
    std::future<bool> write = StartWrite(*values, path);
    TTimed got = Timed(write, start, 3.0);
    holder.reset();  // frees a write that would wait for ever
    ASSERT_TRUE(got.Result.has_value()) << "the write still waits after 3 s";
    EXPECT_TRUE(*got.Result);
    EXPECT_GE(got.Seconds, os::kProfileLockWaitMs / 1000.0 * 0.9);
    for (const auto& [k, v] : *values)
      EXPECT_EQ(os::ReadProfileString("main", k, "", path), v) << k;
  }
}

// config.ini as a link into another folder: the writers of the target's folder are the ones
// to take turns with, and that folder is cleaned of dead writers' temporary files.
TEST(ProfileWrite, ALinkedFileIsWrittenInItsTargetsFolder) {
  TempFolder linkDir, targetDir;
  std::string target = targetDir.Write("real.ini", "[main]\r\nlanguage=en\r\n");
  std::string link = linkDir.Path("config.ini");
  fs::create_symlink(target, link);
  targetDir.Write("real.ini.~999999-1", "left by a killed writer");
  targetDir.Write("real.ini.~999999-2", "");
  targetDir.Write("real.ini.~notatemp", "kept");
  linkDir.Write("config.ini.~999999-3", "not the temporary file of this target");

  ASSERT_TRUE(os::WriteProfileString("main", "language", "ru", link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(targetDir.Read("real.ini"), "[main]\r\nlanguage=ru\r\n");
  EXPECT_FALSE(fs::exists(targetDir.Path("real.ini.~999999-1")));
  EXPECT_FALSE(fs::exists(targetDir.Path("real.ini.~999999-2")));
  EXPECT_TRUE(fs::exists(targetDir.Path("real.ini.~notatemp")));
  EXPECT_EQ(EntriesIn(targetDir.Path()), 2u);

  // A writer using the target directly excludes one using the link...
  {
    TLockHolder holder(targetDir.Path());
    ASSERT_TRUE(holder.Held);
    auto start = Clock::now();
    std::future<bool> write = StartWrite({{"Left", "5"}}, link);
    TTimed got = Timed(write, start, 3.0);
    ASSERT_TRUE(got.Result.has_value());
    EXPECT_TRUE(*got.Result);
    EXPECT_GE(got.Seconds, os::kProfileLockWaitMs / 1000.0 * 0.9);
  }
  // ... while the link's own folder has nothing to do with it.
  {
    TLockHolder holder(linkDir.Path());
    ASSERT_TRUE(holder.Held);
    auto start = Clock::now();
    std::future<bool> write = StartWrite({{"Top", "6"}}, link);
    TTimed got = Timed(write, start, 3.0);
    ASSERT_TRUE(got.Result.has_value());
    EXPECT_TRUE(*got.Result);
    EXPECT_LT(got.Seconds, 1.0);
  }
  EXPECT_EQ(targetDir.Read("real.ini"), "[main]\r\nlanguage=ru\r\nLeft=5\r\nTop=6\r\n");

  // A dangling link is refused and stays as it is.
  fs::remove(target);
  EXPECT_FALSE(os::WriteProfileString("main", "language", "de", link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_FALSE(fs::exists(target));
}

// Settings files past the bound read like missing ones and are never rewritten; the size is
// the stored one, so sparse files stand in for big ones.
TEST(ProfileWrite, SettingsFilesPastTheBoundReadAsMissing) {
  struct Case {
    uint64_t Size;
    bool Readable;
  };
  const Case cases[] = {{os::kSettingsFileMax - 1, true},
                        {os::kSettingsFileMax, true},
                        {os::kSettingsFileMax + 1, false},
                        {3ull << 30, false}};
  const std::string head = "[main]\nlanguage=en\nLeft=7\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Size);
    TempFolder t;
    std::string path = t.Write("config.ini", head);
    fs::resize_file(path, c.Size);
    EXPECT_EQ(os::ReadProfileString("main", "language", "de", path), c.Readable ? "en" : "de");
    EXPECT_EQ(os::ReadProfileInt("main", "Left", -1, path), c.Readable ? 7 : -1);
    EXPECT_EQ(os::FileWithin(path, os::kSettingsFileMax), c.Readable);
    if (!c.Readable) {
      EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", path));
      EXPECT_FALSE(os::WriteProfileStrings("main", {{"Left", "1"}, {"Top", "2"}}, path));
      EXPECT_EQ(fs::file_size(path), c.Size);
      EXPECT_EQ(EntriesIn(t.Path()), 1u);
    }
    std::string out = "old";
    EXPECT_EQ(os::ReadWholeFile(path, out, os::kSettingsFileMax), c.Readable);
    EXPECT_EQ(out.size(), c.Readable ? c.Size : 0u);
  }
  TempFolder t;
  EXPECT_FALSE(os::FileWithin(t.Path(), os::kSettingsFileMax));  // a folder
  EXPECT_FALSE(os::FileWithin(t.Path("none"), os::kSettingsFileMax));
}
