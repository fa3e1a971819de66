// The shared temporary folder of the tests: fresh, private, and gone afterwards even when a test
// left read-only files and folders or links pointing out of it.
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(TempFolder, EachIsFreshAndEmptyAndEndsWithASeparator) {
  TempFolder a, b;
  EXPECT_NE(a.Root(), b.Root());
  EXPECT_TRUE(fs::is_directory(a.Root()));
  EXPECT_TRUE(fs::is_empty(a.Root()));
  EXPECT_EQ(a.Path().back(), '/');
  EXPECT_EQ(a.Path("x.ini"), a.Path() + "x.ini");
}

TEST(TempFolder, WritesAndReadsWholeFilesByteForByte) {
  TempFolder t;
  std::string bytes("a\0b\r\nc\xff", 7);
  EXPECT_EQ(t.Write("f.bin", bytes), t.Path("f.bin"));
  EXPECT_EQ(t.Read("f.bin"), bytes);
  EXPECT_EQ(TempFolder::ReadFile(t.Path("f.bin")), bytes);
  t.Write("f.bin", "short");
  EXPECT_EQ(t.Read("f.bin"), "short");
  EXPECT_EQ(t.Read("none"), "");
  EXPECT_EQ(t.Read("none", "<missing>"), "<missing>");
  t.MakeFolder("a/b");
  EXPECT_TRUE(fs::is_directory(t.Root() / "a" / "b"));
}

TEST(TempFolder, RemovesReadOnlyContentsAndLeavesLinkTargetsAlone) {
  TempFolder outside;
  std::string target = outside.Write("target.txt", "keep");
  ::chmod(target.c_str(), 0400);
  fs::path root;
  {
    TempFolder t;
    root = t.Root();
    t.MakeFolder("ro/deeper");
    t.Write("ro/deeper/file", "x");
    ::chmod(t.Path("ro/deeper/file").c_str(), 0400);
    ::chmod(t.Path("ro/deeper").c_str(), 0500);
    ::chmod(t.Path("ro").c_str(), 0);
    fs::create_symlink(target, t.Path("link"));
    fs::create_directory_symlink(outside.Root(), t.Path("dirlink"));
  }
  EXPECT_FALSE(fs::exists(root));
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0400u);  // the link's target keeps its mode
  EXPECT_EQ(outside.Read("target.txt"), "keep");
}
