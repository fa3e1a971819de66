// The Windows OS layer against the real profile, file and folder calls, in a temporary folder.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef WriteProfileString

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/os.h"
#include "tests/support/temp_folder.h"

namespace {

// Runs with the current folder set to dir, restoring the old one.
class InFolder {
 public:
  explicit InFolder(const std::string& dir) {
    char buf[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buf);
    old_ = buf;
    SetCurrentDirectoryA(dir.c_str());
  }
  ~InFolder() { SetCurrentDirectoryA(old_.c_str()); }

 private:
  std::string old_;
};

}  // namespace

TEST(WinOsFolders, ProgramFolderIsTheExecutablesFolder) {
  char exe[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
  ASSERT_GT(n, 0u);
  std::string e(exe, n);
  std::string f = os::ProgramFolder();
  EXPECT_EQ(f, e.substr(0, e.rfind('\\') + 1));
  os::SetProgramFolder("C:\\some\\where");
  EXPECT_EQ(os::ProgramFolder(), "C:\\some\\where\\");
  os::SetProgramFolder("");
  EXPECT_EQ(os::ProgramFolder(), f);
}

TEST(WinOsFolders, SpecialFoldersExistAndEndWithABackslash) {
  for (const std::string& f : {os::TempFolder(), os::WindowsFolder(), os::SystemFolder()}) {
    ASSERT_FALSE(f.empty());
    EXPECT_EQ(f.back(), '\\') << f;
    EXPECT_TRUE(os::IsFolder(f)) << f;
  }
  EXPECT_EQ(os::PathSeparator(), '\\');
  EXPECT_TRUE(os::IsPathSeparator('\\'));
  EXPECT_FALSE(os::IsPathSeparator('/'));
  EXPECT_FALSE(os::IsPathSeparator(':'));
}

TEST(WinOsFiles, ExistsAndFolderTellFilesFromFolders) {
  TempFolder t;
  std::string file = t.Write("a.txt", "x");
  CreateDirectoryA(t.Path("sub").c_str(), nullptr);
  EXPECT_TRUE(os::FileExists(file));
  EXPECT_FALSE(os::FileExists(t.Path("sub")));
  EXPECT_FALSE(os::FileExists(t.Path("missing")));
  EXPECT_FALSE(os::FileExists(""));
  EXPECT_TRUE(os::IsFolder(t.Path("sub")));
  EXPECT_FALSE(os::IsFolder(file));
  EXPECT_FALSE(os::IsFolder(""));
}

TEST(WinOsFiles, ReadWholeFileKeepsEveryByte) {
  TempFolder t;
  std::string bytes("a\r\nb\0c\rd\n", 9);
  bytes += std::string(200000, 'z');  // more than one read
  t.Write("bin.dat", bytes);
  std::string out = "old";
  ASSERT_TRUE(os::ReadWholeFile(t.Path("bin.dat"), out));
  EXPECT_EQ(out, bytes);
  t.Write("empty.txt", "");
  EXPECT_TRUE(os::ReadWholeFile(t.Path("empty.txt"), out));
  EXPECT_TRUE(out.empty());
  out = "old";
  EXPECT_FALSE(os::ReadWholeFile(t.Path("missing.txt"), out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(os::ReadWholeFile(t.Path(), out));
  EXPECT_FALSE(os::ReadWholeFile("", out));
}

TEST(WinOsList, ListsFilesAndFoldersWithOrWithoutTrailingSeparator) {
  TempFolder t;
  t.Write("en.lng", "x");
  t.Write("ru.lng", "x");
  CreateDirectoryA(t.Path("old.lng").c_str(), nullptr);
  for (std::string dir : {t.Path(), t.Path().substr(0, t.Path().size() - 1)}) {
    std::vector<os::DirEntry> entries;
    ASSERT_TRUE(os::ListFolder(dir, entries)) << dir;
    std::vector<std::string> files, folders;
    for (auto& e : entries) {
      (e.IsFolder ? folders : files).push_back(e.Name);
      EXPECT_FALSE(e.IsLink);
    }
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(files, (std::vector<std::string>{"en.lng", "ru.lng"}));
    // "." and ".." come back from the native listing; the element skips them.
    EXPECT_EQ(folders, (std::vector<std::string>{".", "..", "old.lng"}));
  }
}

TEST(WinOsList, MissingFolderOrAFileCannotBeListed) {
  TempFolder t;
  std::string file = t.Write("a.txt", "x");
  std::vector<os::DirEntry> entries{{"stale", false, false}};
  EXPECT_FALSE(os::ListFolder(t.Path("missing"), entries));
  EXPECT_TRUE(entries.empty());
  EXPECT_FALSE(os::ListFolder(file, entries));
}

TEST(WinOsList, RelativeFolderIsTheCurrentFolder) {
  TempFolder t;
  t.Write("here.txt", "x");
  InFolder in(t.Path());
  std::vector<os::DirEntry> entries;
  ASSERT_TRUE(os::ListFolder(".", entries));
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                          [](const os::DirEntry& e) { return e.Name == "here.txt"; }));
  ASSERT_TRUE(os::ListFolder("", entries));
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                          [](const os::DirEntry& e) { return e.Name == "here.txt"; }));
}

TEST(WinOsProfile, MissingFileSectionOrKeyGivesTheDefault) {
  TempFolder t;
  std::string ini = t.Write("c.ini", "[main]\r\nlanguage=ru\r\n");
  EXPECT_EQ(os::ReadProfileString("main", "language", "en", ini), "ru");
  EXPECT_EQ(os::ReadProfileString("main", "missing", "en", ini), "en");
  EXPECT_EQ(os::ReadProfileString("other", "language", "en", ini), "en");
  EXPECT_EQ(os::ReadProfileString("main", "language", "en", t.Path("none.ini")), "en");
  // The default loses its trailing blanks.
  EXPECT_EQ(os::ReadProfileString("main", "missing", "en  ", ini), "en");
  EXPECT_EQ(os::ReadProfileString("main", "language", "en  ", ""), "en");
  EXPECT_EQ(os::ReadProfileInt("main", "missing", -7, ini), -7);
  EXPECT_EQ(os::ReadProfileInt("main", "Left", 5, t.Path("none.ini")), 5);
  EXPECT_EQ(os::ReadProfileInt("main", "Left", 5, ""), 5);
}

TEST(WinOsProfile, NamesIgnoreCaseAndValuesAreTrimmed) {
  TempFolder t;
  std::string ini = t.Write("c.ini", "[Main]\r\n  Language = de  \r\n");
  EXPECT_EQ(os::ReadProfileString("MAIN", "language", "", ini), "de");
}

TEST(WinOsProfile, IntegersReadTheLeadingNumber) {
  TempFolder t;
  std::string ini = t.Write("n.ini", "[s]\r\na=-42\r\nb=12abc\r\nc=abc\r\nd=\r\n");
  EXPECT_EQ(os::ReadProfileInt("s", "a", 0, ini), -42);
  EXPECT_EQ(os::ReadProfileInt("s", "b", 0, ini), 12);
  EXPECT_EQ(os::ReadProfileInt("s", "c", 9, ini), 0);
  EXPECT_EQ(os::ReadProfileInt("s", "d", 9, ini), 9);  // empty value: the default
}

TEST(WinOsProfile, WriteCreatesFileAndSectionAndKeepsOtherKeys) {
  TempFolder t;
  std::string ini = t.Path("config.ini");
  ASSERT_TRUE(os::WriteProfileString("main", "language", "ru", ini));
  EXPECT_EQ(os::ReadProfileString("main", "language", "", ini), "ru");
  ASSERT_TRUE(os::WriteProfileString("main", "Left", "120", ini));
  ASSERT_TRUE(os::WriteProfileString("main", "language", "en", ini));
  ASSERT_TRUE(os::WriteProfileString("other", "x", "1", ini));
  EXPECT_EQ(os::ReadProfileString("main", "language", "", ini), "en");
  EXPECT_EQ(os::ReadProfileInt("main", "Left", 0, ini), 120);
  EXPECT_EQ(os::ReadProfileString("other", "x", "", ini), "1");
  std::string text = t.Read("config.ini");
  EXPECT_NE(text.find("[main]"), std::string::npos);
  EXPECT_EQ(text.find("language=ru"), std::string::npos);
}

TEST(WinOsProfile, LongValuesReadBackCut) {
  TempFolder t;
  std::string ini = t.Path("long.ini");
  std::string value(3000, 'v');
  ASSERT_TRUE(os::WriteProfileString("s", "k", value, ini));
  std::string got = os::ReadProfileString("s", "k", "", ini);
  EXPECT_EQ(got.size(), os::kProfileStringMax);
  EXPECT_EQ(got, value.substr(0, os::kProfileStringMax));
}

TEST(WinOsProfile, RefusedWritesLeaveTheFileAlone) {
  TempFolder t;
  std::string before = "[main]\r\nlanguage=ru\r\n";
  std::string ini = t.Write("c.ini", before);
  EXPECT_FALSE(os::WriteProfileString("main", "language", "a\r\n[evil]", ini));
  EXPECT_FALSE(os::WriteProfileString("ma]in", "language", "x", ini));
  EXPECT_FALSE(os::WriteProfileString("main", "lang\nuage", "x", ini));
  EXPECT_FALSE(os::WriteProfileString("main", "", "x", ini));
  EXPECT_EQ(t.Read("c.ini"), before);

  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(os::WriteProfileString("main", "language", "en", ini));
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(t.Read("c.ini"), before);

  EXPECT_FALSE(os::WriteProfileString("main", "language", "en", t.Path("no\\such\\x.ini")));
  EXPECT_FALSE(os::FileExists(t.Path("no\\such\\x.ini")));
  EXPECT_FALSE(os::WriteProfileString("main", "language", "en", ""));
}

TEST(WinOsProfile, ABareFileNameMeansTheCurrentFolder) {
  TempFolder t;
  InFolder in(t.Path());
  ASSERT_TRUE(os::WriteProfileString("main", "k", "here", "bare.ini"));
  EXPECT_TRUE(os::FileExists(t.Path("bare.ini")));
  EXPECT_EQ(os::ReadProfileString("main", "k", "", "bare.ini"), "here");
  EXPECT_FALSE(os::FileExists(os::WindowsFolder() + "bare.ini"));
}

TEST(WinOsProfile, TextsStopAtAZeroByte) {
  TempFolder t;
  std::string ini = t.Path("z.ini");
  ASSERT_TRUE(os::WriteProfileString(std::string("main\0x", 6), std::string("k\0y", 3),
                                     std::string("v\0z", 3), ini));
  EXPECT_EQ(os::ReadProfileString("main", "k", "", ini), "v");
}
