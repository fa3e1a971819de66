// Data files that are huge, broken, not files at all, vanish, or cannot be written: the program
// goes on silently, in bounded time and memory, and never damages a file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "elements/filesearch.h"
#include "elements/ini.h"
#include "elements/translator.h"
#include "hardening_fixture.h"
#include "platform/os.h"
#include "tests/scheme/fixture.h"

namespace fs = std::filesystem;

namespace {

constexpr long long kMB = 1024 * 1024;

// The bytes of a literal, zero bytes included.
template <size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

const char kArray[] = "strength=101\r\nagility=102\r\nironflesh=201\r\n";

// Loads the two data files of the current folder and commits answers (gender 1, the rest k).
struct TLoaded {
  std::vector<size_t> ListSizes;
  std::vector<int32_t> Attrib;
};
TLoaded LoadAndCommit(int k) {
  TTestSheet sheet;
  sheet.Load();
  TLoaded r;
  for (int l = 0; l < 7; ++l)
    r.ListSizes.push_back(sheet.Lines(l).size());
  sheet.Commit({1, k, k, k, k});
  for (int q = 0; q < 5; ++q)
    sheet.Preview(q, k);
  r.Attrib = Table("attrib");
  return r;
}

class HostileData : public FolderTest {};

// Loads the language chosen in config.ini of the program folder dir.
void LoadLanguage(const TempFolder& dir, const std::string& language) {
  dir.Write("config.ini", "[main]\r\nlanguage=" + language + "\r\n");
  os::SetProgramFolder(dir.Path());
  THITranslator t;
  t.Load();
  os::SetProgramFolder("");
}

class HostileLanguage : public ::testing::Test {
 protected:
  void TearDown() override { ClearTranslation(); }
  TempFolder Dir;
};

}  // namespace

TEST_F(HostileData, HundredMegabyteChoiceFile) {
#ifdef HS_UNDER_ASAN
  GTEST_SKIP() << "100 MB through the element graph takes minutes under AddressSanitizer; "
                  "the normal run covers it";
#endif
  // 100 MB of answer lines of about 1000 bytes, in blocks of 2000 lines.
  std::string line = "1 strength=1;" + std::string(985, 'x') + "\r\n";
  std::string text;
  text.reserve(101 * kMB);
  int blocks = 0;
  while (text.size() < 100 * kMB) {
    text += "-- choice\r\n";
    for (int i = 0; i < 2000; ++i)
      text += line;
    text += "-- end\r\n";
    ++blocks;
  }
  Write("choice.ini", text);
  Write("array.ini", kArray);
  long long size = static_cast<long long>(text.size());
  text = std::string();

  long long peak = PeakMemoryOf([&] {
    TLoaded got = LoadAndCommit(1);
    size_t lines = 0;
    for (size_t n : got.ListSizes)
      lines += n;
    // Every line of every block is stored, block b in list b mod 7; answer 1 adds 1 for each
    // line of the lists of the male hero (1, 2 male, 3, 4 male, 5).
    size_t applied = 0;
    for (size_t l : {0, 1, 3, 4, 6})
      applied += got.ListSizes[l];
    return lines == static_cast<size_t>(blocks) * 2000 &&
           got.ListSizes[0] == static_cast<size_t>((blocks + 6) / 7) * 2000 &&
           got.Attrib.size() == 5 && got.Attrib[1] == static_cast<int32_t>(applied);
  });
  ASSERT_GE(peak, 0) << "the load failed or gave other results";
  RecordProperty("peak_mb", std::to_string(peak / kMB));
  EXPECT_LT(peak, 5 * size) << "peak " << peak / kMB << " MB for a " << size / kMB << " MB file";
}

TEST_F(HostileData, TenMegabyteLine) {
  // array.ini with a 10 MB name before the real ones.
  Write("array.ini", std::string(10 * kMB, 'n') + "=5\r\n" + kArray);
  std::string plain = "3 strength=" + std::string(10 * kMB, '1');
  // A first word full of placeholders of the line formatter, each asking for the 7 MB amount.
  std::string w;
  for (int i = 0; i < 750000; ++i)
    w += "%3";
  std::string placeholders = w + " strength=" + std::string(7 * kMB, 'x');

  for (const std::string& longLine : {plain, placeholders}) {
    Write("choice.ini", "-- choice\r\n1 strength=2\r\n" + longLine + "\r\n-- end\r\n");
    // Both files together: the long line and the long name.
    long long size = static_cast<long long>(longLine.size()) + 10 * kMB;
    long long peak = PeakMemoryOf([&] {
      TLoaded got = LoadAndCommit(1);
      // Answer 1 adds 2; the long line belongs to no answer given (3) or reads as 0.
      return got.ListSizes[0] == 2 && got.Attrib.size() == 5 && got.Attrib[1] == 2;
    });
    ASSERT_GE(peak, 0) << "the load failed or gave other results";
    RecordProperty("peak_mb_" + std::to_string(size / kMB), std::to_string(peak / kMB));
    RecordProperty("peak_mb", std::to_string(peak / kMB));
#ifndef HS_UNDER_ASAN
    // Every element on the line's way keeps its own copy of it: about a dozen copies of the
    // plain line, of twice its size when the formatter filled its placeholders.
    EXPECT_LT(peak, 20 * size) << "peak " << peak / kMB << " MB for " << size / kMB << " MB";
#endif
  }
}

TEST_F(HostileData, ZeroBytesAndInvalidUtf8) {
  Write("array.ini", Bytes("str\xff\xfength=101\r\nstrength=102\r\nag\0ility=103\r\n"));
  Write("choice.ini", Bytes("-- choice \xc3\x28\r\n"
                            "1 str\xff\xfength=1\r\n"
                            "2 strength=3\r\n"
                            "\xed\xa0\x80 strength=4\r\n"
                            "-- end\r\n"
                            "-- choice\r\n1 str\0ength=9\r\n-- end\r\n"));
  TTestSheet sheet;
  sheet.Load();
  // Bytes are bytes; a zero byte ends the file's text.
  EXPECT_EQ(sheet.Lines(0), (std::vector<std::string>{"1 101 1", "2 102 3", "\xed\xa0\x80 102 4"}));
  EXPECT_TRUE(sheet.Lines(1).empty());
  sheet.Commit({2, 0, 0, 0, 0});
  // Answer 2 and, with a gender chosen, answer 0 too: the invalid bytes read as 0.
  EXPECT_EQ(Table("attrib")[2], 7);
}

TEST_F(HostileData, DataFilesThatAreNotFiles) {
  fs::create_directory(Dir / "choice.ini");
  fs::create_directory(Dir / "array.ini");
  TLoaded got = LoadAndCommit(1);
  EXPECT_EQ(got.ListSizes, std::vector<size_t>(7, 0));
  EXPECT_EQ(got.Attrib, std::vector<int32_t>(5, 0));
  fs::remove(Dir / "choice.ini");
  fs::remove(Dir / "array.ini");

  // A pipe nobody writes to would block a read forever; a device never ends.
  ASSERT_EQ(::mkfifo((Dir / "choice.ini").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", Dir / "array.ini");
  got = LoadAndCommit(1);
  EXPECT_EQ(got.ListSizes, std::vector<size_t>(7, 0));
  fs::remove(Dir / "choice.ini");
  fs::remove(Dir / "array.ini");

  // Links to nowhere, and a link to itself.
  fs::create_symlink(Dir / "gone.ini", Dir / "choice.ini");
  fs::create_symlink(Dir / "array.ini", Dir / "array.ini");
  got = LoadAndCommit(1);
  EXPECT_EQ(got.ListSizes, std::vector<size_t>(7, 0));
}

TEST_F(HostileLanguage, TenMegabyteLineAndBrokenBytes) {
  std::string big(10 * kMB, 'k');
  Dir.Write("xx.lng",
            Bytes("k\xff|\xc3\x28\r\n") + big + "|big\r\n" + Bytes("z|a\0b\r\nafter|x\r\n"));
  LoadLanguage(Dir, "xx");
  EXPECT_EQ(Translate("k\xff"), "\xc3\x28");
  EXPECT_EQ(Translate(big), "big");
  EXPECT_EQ(Translate("z"), "a");
  EXPECT_EQ(Translate("after"), "after");  // past the zero byte
  EXPECT_EQ(TranslationCount(), 3u);
}

TEST_F(HostileLanguage, ChosenFileThatCannotBeRead) {
  // A folder, a link to nowhere, a link to itself: the first match ends the search with an
  // empty table, and every caption shows its key.
  fs::create_directory(Dir.Path("aa.lng"));
  LoadLanguage(Dir, "aa");
  EXPECT_TRUE(TranslationLoaded());
  EXPECT_EQ(TranslationCount(), 0u);
  EXPECT_EQ(Translate("btn_clear"), "btn_clear");

  fs::create_symlink(Dir.Path("gone.lng"), Dir.Path("bb.lng"));
  LoadLanguage(Dir, "bb");
  EXPECT_EQ(TranslationCount(), 0u);
  fs::create_symlink(Dir.Path("cc.lng"), Dir.Path("cc.lng"));
  LoadLanguage(Dir, "cc");
  EXPECT_EQ(TranslationCount(), 0u);
  ASSERT_EQ(::mkfifo(Dir.Path("dd.lng").c_str(), 0644), 0);
  LoadLanguage(Dir, "dd");
  EXPECT_EQ(TranslationCount(), 0u);

  if (::geteuid() != 0) {  // permissions do not stop the superuser
    Dir.Write("ee.lng", "btn_clear|Clear\r\n");
    ::chmod(Dir.Path("ee.lng").c_str(), 0);
    LoadLanguage(Dir, "ee");
    EXPECT_EQ(TranslationCount(), 0u);
  }
}

TEST_F(HostileLanguage, SixHundredThousandKeys) {
  // As many as fit under the size bound of language files.
  std::string text;
  text.reserve(16 * kMB);
  for (int i = 0; i < 600000; ++i)
    text += "key" + std::to_string(i) + "|text" + std::to_string(i) + "\r\n";
  text += "key5|second\r\n";
  Dir.Write("xx.lng", text);
  long long size = static_cast<long long>(text.size());

  long long peak = PeakMemoryOf([&] {
    LoadLanguage(Dir, "xx");
    return TranslationCount() == 600001 && Translate("key0") == "text0" &&
           Translate("key599999") == "text599999" && Translate("key5") == "text5" &&
           Translate("key600000") == "key600000";
  });
  ASSERT_GE(peak, 0) << "the table is wrong";
  RecordProperty("peak_mb", std::to_string(peak / kMB));
  RecordProperty("file_mb", std::to_string(size / kMB));
#ifndef HS_UNDER_ASAN
  // Short lines: the per-entry bookkeeping dominates.
  EXPECT_LT(peak, 16 * size) << "peak " << peak / kMB << " MB for " << size / kMB << " MB";
#endif
}

TEST(HostileFolders, FilesVanishingAfterTheListing) {
  TempFolder dir;
  for (const char* n : {"a.lng", "b.lng", "c.lng", "d.txt"})
    dir.Write(n, "x");
  // Whoever gets the first name removes every file of the folder.
  struct TRemover : THIBase {
    std::string Folder;
    std::vector<std::string> Seen;
    void doName(TData& d, uint16_t) {
      Seen.push_back(ToString(d));
      std::error_code ec;
      for (const auto& e : fs::directory_iterator(Folder, ec))
        fs::remove(e.path(), ec);
    }
  } remover;
  remover.Folder = dir.Path();
  InstallDispatchers();
  THIFileSearch search;
  search.Dir = dir.Path();
  search.Ext = "*.lng";
  search.SubDir = 1;
  search.onSearch = MakeEvent<&TRemover::doName>(&remover);
  TData d;
  search.doSearch(d, 0);
  ResetDispatchers();
  EXPECT_EQ(search.Count, 3);
  EXPECT_EQ(remover.Seen.size(), 3u);
}

TEST(HostileFolders, ReadOnlyConfig) {
  TempFolder dir;
  const std::string config = "[main]\r\nLeft=10\r\nlanguage=en\r\n";
  std::string path = dir.Path("config.ini");
  dir.Write("config.ini", config);

  // A read-only file: reads work, writes are refused, the file stays as it was.
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(os::ReadProfileString("main", "language", "", path), "en");
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", path));
  EXPECT_FALSE(os::WriteProfileString("main", "Top", "5", path));
  EXPECT_EQ(dir.Read("config.ini"), config);
  ::chmod(path.c_str(), 0644);

  // A writable file in a read-only folder: no temporary file can be made beside it.
  ::chmod(dir.Path().c_str(), 0555);
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", path));
  EXPECT_EQ(dir.Read("config.ini"), config);
  std::error_code ec;
  int entries = 0;
  for (auto it = fs::directory_iterator(dir.Path(), ec); it != fs::directory_iterator(); ++it)
    ++entries;
  EXPECT_EQ(entries, 1);

  // A missing file in a read-only folder is not created.
  std::string other = dir.Path("other.ini");
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", other));
  EXPECT_FALSE(fs::exists(other));
  ::chmod(dir.Path().c_str(), 0755);

  // config.ini that is a folder: reads give the default, writes are refused.
  fs::remove(path);
  fs::create_directory(path);
  EXPECT_EQ(os::ReadProfileString("main", "language", "de", path), "de");
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", path));
  EXPECT_TRUE(fs::is_directory(path));

  // A 10 MB value reads back cut to the ini buffer.
  fs::remove(path);
  dir.Write("config.ini", "[main]\r\nlanguage=" + std::string(10 * kMB, 'v') + "\r\n");
  EXPECT_EQ(os::ReadProfileString("main", "language", "", path), std::string(2047, 'v'));
  EXPECT_TRUE(os::WriteProfileString("main", "Left", "1", path));
  EXPECT_EQ(os::ReadProfileString("main", "language", "", path), std::string(2047, 'v'));
}

TEST(HostileFolders, ConfigOfFifteenMillionLines) {
#ifdef HS_UNDER_ASAN
  GTEST_SKIP() << "fifteen million lines read three times take most of a minute under "
                  "AddressSanitizer; the normal run covers it";
#endif
  TempFolder dir;
  std::string path = dir.Path("config.ini");
  std::string text(15 * kMB, '\n');  // as many as fit under the size bound of config.ini
  text += "[main]\nlanguage=en\n";
  dir.Write("config.ini", text);
  long long size = static_cast<long long>(text.size());
  text = std::string();

  long long peak = PeakMemoryOf([&] {
    return os::ReadProfileString("main", "language", "", path) == "en" &&
           os::WriteProfileString("main", "Left", "5", path) &&
           os::ReadProfileInt("main", "Left", 0, path) == 5;
  });
  ASSERT_GE(peak, 0) << "the settings were not read or written";
  RecordProperty("peak_mb", std::to_string(peak / kMB));
#ifndef HS_UNDER_ASAN
  // The file, its text and the rewritten text; nothing per line.
  EXPECT_LT(peak, 5 * size) << "peak " << peak / kMB << " MB for " << size / kMB << " MB";
#endif
  EXPECT_EQ(dir.Read("config.ini").size(), static_cast<size_t>(size) + 7);  // "Left=5\n"
}

// Files past the size bound of their kind are taken for missing ones: nothing of them is read,
// so time and memory stay small however big they claim to be (sparse files cost no disk).
TEST_F(HostileData, DataFilesPastTheBoundReadAsMissing) {
  const std::string choice = "-- choice\r\n1 strength=2\r\n-- end\r\n";
  Write("array.ini", kArray);
  Write("choice.ini", choice);
  ASSERT_EQ(LoadAndCommit(1).ListSizes[0], 1u);  // read while small

  fs::resize_file(Dir / "choice.ini", 3ull << 30);
  long long peak = PeakMemoryOf([&] {
    TLoaded got = LoadAndCommit(1);
    return got.ListSizes == std::vector<size_t>(7, 0) && got.Attrib == std::vector<int32_t>(5, 0);
  });
  ASSERT_GE(peak, 0) << "a 3 GB choice.ini was read";
  RecordProperty("peak_mb", std::to_string(peak / kMB));
  EXPECT_LT(peak, 64 * kMB) << "peak " << peak / kMB << " MB";

  // array.ini just past the bound: no codes, so the answer lines change nothing.
  Write("choice.ini", choice);
  fs::resize_file(Dir / "array.ini", os::kDataFileMax + 1);
  peak = PeakMemoryOf([&] {
    TLoaded got = LoadAndCommit(1);
    return got.ListSizes[0] == 1 && got.Attrib == std::vector<int32_t>(5, 0);
  });
  ASSERT_GE(peak, 0) << "array.ini past the bound was read";
  EXPECT_LT(peak, 64 * kMB) << "peak " << peak / kMB << " MB";
}

TEST_F(HostileLanguage, LanguageFilePastTheBoundReadsAsMissing) {
  struct Case {
    uint64_t Size;
    bool Loaded;
  };
  for (Case c : {Case{os::kLanguageFileMax, true}, Case{os::kLanguageFileMax + 1, false},
                 Case{3ull << 30, false}}) {
    SCOPED_TRACE(c.Size);
    Dir.Write("xx.lng", "btn_clear|Clear\r\n");
    fs::resize_file(Dir.Path("xx.lng"), c.Size);
    long long peak = PeakMemoryOf([&] {
      LoadLanguage(Dir, "xx");
      return TranslationLoaded() == c.Loaded &&
             Translate("btn_clear") == (c.Loaded ? "Clear" : "btn_clear");
    });
    ASSERT_GE(peak, 0) << "the table is wrong";
    if (!c.Loaded) {
      EXPECT_LT(peak, 16 * kMB) << "peak " << peak / kMB << " MB";
    }
  }
}

TEST(HostileFolders, ConfigPastTheBoundReadsAsMissingAndIsKept) {
  TempFolder dir;
  std::string path = dir.Path("config.ini");
  dir.Write("config.ini", "[main]\r\nlanguage=en\r\nLeft=5\r\n");
  fs::resize_file(path, 3ull << 30);
  long long peak = PeakMemoryOf([&] {
    return os::ReadProfileString("main", "language", "", path).empty() &&
           os::ReadProfileInt("main", "Left", -1, path) == -1 &&
           !os::WriteProfileString("main", "language", "ru", path) &&
           !os::WriteProfileStrings("main", {{"Left", "1"}, {"Top", "2"}}, path);
  });
  ASSERT_GE(peak, 0) << "config.ini past the bound was read or written";
  EXPECT_LT(peak, 16 * kMB) << "peak " << peak / kMB << " MB";
  EXPECT_EQ(fs::file_size(path), 3ull << 30);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Path()))
    ++entries;
  EXPECT_EQ(entries, 1);
}
