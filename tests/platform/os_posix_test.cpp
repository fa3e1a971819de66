// The POSIX OS layer against real files in a temporary folder.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/os.h"
#include "tests/support/temp_folder.h"

namespace {
mode_t ModeOf(const std::string& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mode & 07777;
}
size_t EntriesIn(const std::string& dir) {
  size_t n = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir))
    ++n;
  return n;
}
}  // namespace

TEST(OsFolders, ProgramFolderIsTheExecutablesFolder) {
  std::string f = os::ProgramFolder();
  ASSERT_FALSE(f.empty());
  EXPECT_EQ(f.back(), '/');
  std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(f, exe.substr(0, exe.rfind('/') + 1));
  os::SetProgramFolder("/some/where");
  EXPECT_EQ(os::ProgramFolder(), "/some/where/");
  os::SetProgramFolder("");
  EXPECT_EQ(os::ProgramFolder(), f);
}

TEST(OsFolders, SpecialFoldersEndWithASeparator) {
  for (const std::string& f : {os::TempFolder(), os::WindowsFolder(), os::SystemFolder()}) {
    ASSERT_FALSE(f.empty());
    EXPECT_EQ(f.back(), '/');
  }
  EXPECT_TRUE(os::IsPathSeparator('/'));
  EXPECT_TRUE(os::IsPathSeparator('\\'));
  EXPECT_FALSE(os::IsPathSeparator(':'));
}

TEST(OsFiles, ExistsMeansAFileNotAFolder) {
  TempFolder t;
  std::string file = t.Write("a.txt", "x");
  t.MakeFolder("sub");
  EXPECT_TRUE(os::FileExists(file));
  EXPECT_FALSE(os::FileExists(t.Path("sub")));
  EXPECT_FALSE(os::FileExists(t.Path("missing")));
  EXPECT_FALSE(os::FileExists(""));
  EXPECT_TRUE(os::IsFolder(t.Path("sub")));
  EXPECT_FALSE(os::IsFolder(file));
}

TEST(OsFiles, ReadWholeFileIsByteExact) {
  TempFolder t;
  std::string bytes("a\0b\r\n\xff", 6);
  std::string out = "junk";
  ASSERT_TRUE(os::ReadWholeFile(t.Write("b.bin", bytes), out));
  EXPECT_EQ(out, bytes);
  EXPECT_FALSE(os::ReadWholeFile(t.Path("missing"), out));
  EXPECT_TRUE(out.empty());
  t.MakeFolder("dir");
  EXPECT_FALSE(os::ReadWholeFile(t.Path("dir"), out));
  // A named pipe without a writer neither hangs nor reads as a file.
  ASSERT_EQ(::mkfifo(t.Path("pipe").c_str(), 0600), 0);
  EXPECT_TRUE(os::FileExists(t.Path("pipe")));
  EXPECT_FALSE(os::ReadWholeFile(t.Path("pipe"), out));
  EXPECT_EQ(os::ReadProfileString("s", "k", "d", t.Path("pipe")), "d");
  EXPECT_FALSE(os::WriteProfileString("s", "k", "v", t.Path("pipe")));
}

TEST(OsListing, PlatformOrderAndKinds) {
  TempFolder t;
  for (const char* n : {"b.lng", "a.lng", ".hidden", "z"})
    t.Write(n, "");
  t.MakeFolder("old.lng");
  std::vector<os::DirEntry> got;
  ASSERT_TRUE(os::ListFolder(t.Path(), got));
  // The order is the file system's own: compare with a raw listing.
  std::vector<std::string> raw;
  DIR* d = ::opendir(t.Path().c_str());
  while (dirent* e = ::readdir(d))
    raw.push_back(e->d_name);
  ::closedir(d);
  ASSERT_EQ(got.size(), raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    EXPECT_EQ(got[i].Name, raw[i]);
    EXPECT_EQ(got[i].IsFolder, raw[i] == "." || raw[i] == ".." || raw[i] == "old.lng");
  }
  // Without the trailing separator too.
  std::vector<os::DirEntry> again;
  ASSERT_TRUE(os::ListFolder(t.Path().substr(0, t.Path().size() - 1), again));
  EXPECT_EQ(again.size(), got.size());
  EXPECT_FALSE(os::ListFolder(t.Path("missing"), got));
  EXPECT_TRUE(got.empty());
  EXPECT_FALSE(os::ListFolder(t.Path("z"), got));
}

TEST(OsListing, LinkedFoldersAreMarked) {
  TempFolder t;
  t.MakeFolder("real");
  std::filesystem::create_directory_symlink(t.Path("real"), t.Path("link"));
  std::vector<os::DirEntry> got;
  ASSERT_TRUE(os::ListFolder(t.Path(), got));
  auto it = std::find_if(got.begin(), got.end(), [](auto& e) { return e.Name == "link"; });
  ASSERT_NE(it, got.end());
  EXPECT_TRUE(it->IsFolder);
  EXPECT_TRUE(it->IsLink);
}

TEST(OsProfile, MissingFileSectionOrKeyGivesTheDefault) {
  TempFolder t;
  std::string p = t.Write("c.ini", "[main]\nlanguage=en\nnum=12x\nneg=-5\nempty=\nword=abc\n");
  EXPECT_EQ(os::ReadProfileString("main", "language", "d", t.Path("none.ini")), "d");
  EXPECT_EQ(os::ReadProfileString("nope", "language", "d", p), "d");
  // The default loses trailing spaces (not tabs) and one pair of quotes.
  EXPECT_EQ(os::ReadProfileString("main", "nope", "dflt  ", p), "dflt");
  EXPECT_EQ(os::ReadProfileString("main", "nope", "dflt \t", p), "dflt \t");
  EXPECT_EQ(os::ReadProfileString("main", "nope", "'dflt' ", p), "dflt");
  EXPECT_EQ(os::ReadProfileString("MAIN", "Language", "d", p), "en");
  EXPECT_EQ(os::ReadProfileString("main", "language", "d", t.Path()), "d");
  EXPECT_EQ(os::ReadProfileInt("main", "num", 7, p), 12);
  EXPECT_EQ(os::ReadProfileInt("main", "neg", 7, p), -5);
  EXPECT_EQ(os::ReadProfileInt("main", "empty", 7, p), 7);
  EXPECT_EQ(os::ReadProfileInt("main", "word", 7, p), 0);
  EXPECT_EQ(os::ReadProfileInt("main", "nope", 7, p), 7);
  EXPECT_EQ(os::ReadProfileInt("main", "num", 7, t.Path("none.ini")), 7);
}

TEST(OsProfile, LongValuesAreCutTo2047Bytes) {
  TempFolder t;
  std::string v(5000, 'x');
  std::string p = t.Write("c.ini", "[s]\nk=" + v + "\n");
  EXPECT_EQ(os::ReadProfileString("s", "k", "", p), std::string(2047, 'x'));
  EXPECT_EQ(os::ReadProfileString("s", "none", v, p).size(), 2047u);
  ASSERT_TRUE(os::WriteProfileString("s", "k", std::string(3000, 'y'), p));
  EXPECT_EQ(os::ReadProfileString("s", "k", "", p), std::string(2047, 'y'));
}

TEST(OsProfile, WriteCreatesFileAndSection) {
  TempFolder t;
  std::string p = t.Path("config.ini");
  ASSERT_TRUE(os::WriteProfileString("main", "language", "ru", p));
  EXPECT_EQ(t.Read("config.ini"), "[main]\r\nlanguage=ru\r\n");
  ASSERT_TRUE(os::WriteProfileString("main", "Left", "10", p));
  ASSERT_TRUE(os::WriteProfileString("other", "x", "y", p));
  ASSERT_TRUE(os::WriteProfileString("MAIN", "LANGUAGE", "en", p));
  EXPECT_EQ(t.Read("config.ini"), "[main]\r\nlanguage=en\r\nLeft=10\r\n[other]\r\nx=y\r\n");
  EXPECT_EQ(EntriesIn(t.Path()), 1u);  // no temporary file left behind
}

TEST(OsProfile, WriteKeepsHandWrittenLinesByteForByte) {
  TempFolder t;
  std::string before =
      "; settings written by hand\n\n  [ Main ]  \nlanguage = en   ; trailing\n"
      "Left=1\n\n[main]\nlanguage=second\n[Other]\r\nkey=value\r\n";
  std::string p = t.Write("c.ini", before);
  ASSERT_TRUE(os::WriteProfileString("main", "Language", "ru", p));
  std::string after = t.Read("c.ini");
  std::string expect = before;
  expect.replace(expect.find("language = en   ; trailing"), 26, "language=ru");
  EXPECT_EQ(after, expect);
  EXPECT_EQ(os::ReadProfileString("main", "language", "", p), "ru");
}

TEST(OsProfile, ReadOnlyFileIsNotWritten) {
  TempFolder t;
  std::string p = t.Write("c.ini", "[main]\nlanguage=en\n");
  ::chmod(p.c_str(), 0444);
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", p));
  EXPECT_EQ(t.Read("c.ini"), "[main]\nlanguage=en\n");
  EXPECT_EQ(ModeOf(p), 0444u);
  EXPECT_EQ(EntriesIn(t.Path()), 1u);
}

TEST(OsProfile, ReadOnlyFolderIsNotWritten) {
  TempFolder t;
  t.MakeFolder("ro");
  std::string p = t.Write("ro/c.ini", "[main]\nlanguage=en\n");
  ::chmod(t.Path("ro").c_str(), 0555);
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", p));
  EXPECT_FALSE(os::WriteProfileString("main", "language", "ru", t.Path("ro/new.ini")));
  EXPECT_EQ(t.Read("ro/c.ini"), "[main]\nlanguage=en\n");
  EXPECT_FALSE(os::FileExists(t.Path("ro/new.ini")));
}

TEST(OsProfile, MissingFolderAndBadTargetsFail) {
  TempFolder t;
  EXPECT_FALSE(os::WriteProfileString("main", "k", "v", t.Path("missing/c.ini")));
  EXPECT_FALSE(os::FileExists(t.Path("missing/c.ini")));
  t.MakeFolder("dir.ini");
  EXPECT_FALSE(os::WriteProfileString("main", "k", "v", t.Path("dir.ini")));
  EXPECT_FALSE(os::WriteProfileString("main", "k", "v", ""));
}

TEST(OsProfile, LineBreaksInNamesOrValuesAreRefused) {
  TempFolder t;
  std::string p = t.Write("c.ini", "[main]\nk=v\n");
  EXPECT_FALSE(os::WriteProfileString("main", "k", "a\r\n[evil]\r\nx=1", p));
  EXPECT_FALSE(os::WriteProfileString("main", "k\nx", "v", p));
  EXPECT_FALSE(os::WriteProfileString("ma]in", "k", "v", p));
  EXPECT_EQ(t.Read("c.ini"), "[main]\nk=v\n");
}

TEST(OsProfile, PermissionsSurviveAndLinksAreFollowed) {
  TempFolder t;
  std::string p = t.Write("c.ini", "[main]\nk=v\n");
  ::chmod(p.c_str(), 0640);
  ASSERT_TRUE(os::WriteProfileString("main", "k", "w", p));
  EXPECT_EQ(ModeOf(p), 0640u);
  std::filesystem::create_symlink(p, t.Path("link.ini"));
  ASSERT_TRUE(os::WriteProfileString("main", "k", "z", t.Path("link.ini")));
  EXPECT_TRUE(std::filesystem::is_symlink(t.Path("link.ini")));
  EXPECT_EQ(t.Read("c.ini"), "[main]\nk=z\n");
}

TEST(OsProfile, CrLfAndLfFilesKeepTheirStyle) {
  TempFolder t;
  std::string a = t.Write("a.ini", "[s]\r\nx=1\r\n");
  std::string b = t.Write("b.ini", "[s]\nx=1\n");
  ASSERT_TRUE(os::WriteProfileString("s", "y", "2", a));
  ASSERT_TRUE(os::WriteProfileString("s", "y", "2", b));
  ASSERT_TRUE(os::WriteProfileString("t", "z", "3", b));
  EXPECT_EQ(t.Read("a.ini"), "[s]\r\nx=1\r\ny=2\r\n");
  EXPECT_EQ(t.Read("b.ini"), "[s]\nx=1\ny=2\n[t]\nz=3\n");
}

TEST(OsProfile, BackslashSeparatesFoldersInIniNames) {
  TempFolder t;
  t.MakeFolder("sub");
  std::string back = std::filesystem::current_path().string();
  std::filesystem::current_path(t.Path());
  EXPECT_TRUE(os::WriteProfileString("s", "k", "v", "sub\\y.ini"));
  EXPECT_EQ(os::ReadProfileString("s", "k", "d", "sub\\y.ini"), "v");
  EXPECT_TRUE(os::WriteProfileString("s", "n", "0x20", "sub\\y.ini"));
  EXPECT_EQ(os::ReadProfileInt("s", "n", 1, "sub\\y.ini"), 32);
  EXPECT_FALSE(os::WriteProfileString("s", "k", "v", "missing\\y.ini"));
  std::filesystem::current_path(back);
  EXPECT_EQ(t.Read("sub/y.ini"), "[s]\r\nk=v\r\nn=0x20\r\n");
  EXPECT_FALSE(os::FileExists(t.Path("sub\\y.ini")));
  // A full path written with backslashes reaches the same file.
  std::string full = t.Path() + "sub\\y.ini";
  EXPECT_EQ(os::ReadProfileString("s", "k", "d", full), "v");
  EXPECT_EQ(EntriesIn(t.Path()), 1u);
}
