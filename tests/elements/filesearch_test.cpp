// Mask matching and THIFileSearch over real folders.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "elements/filesearch.h"
#include "platform/os.h"
#include "tests/elements/element_fixture.h"
#include "tests/support/temp_folder.h"

using V = std::vector<std::string>;

namespace {
const std::string S(1, os::PathSeparator());
}  // namespace

TEST(MaskMatch, StarQuestionAndDigit) {
  EXPECT_TRUE(MatchMask("en.lng", "*.lng"));
  EXPECT_FALSE(MatchMask("en.lng.bak", "*.lng"));
  EXPECT_TRUE(MatchMask(".lng", "*.lng"));
  EXPECT_TRUE(MatchMask("anything", "*"));
  EXPECT_TRUE(MatchMask("", "*"));
  EXPECT_FALSE(MatchMask("", "?"));
  EXPECT_TRUE(MatchMask("ab", "a?"));
  EXPECT_FALSE(MatchMask("a", "a?"));
  EXPECT_TRUE(MatchMask("choice-3.txt", "choice-#.txt"));
  EXPECT_FALSE(MatchMask("choice-x.txt", "choice-#.txt"));
  EXPECT_FALSE(MatchMask("choice-#.txt", "choice-#.txt"));
  EXPECT_TRUE(MatchMask("a.b.c", "*.*"));
  EXPECT_FALSE(MatchMask("abc", "*.*"));
  EXPECT_TRUE(MatchMask("aXbXc", "a*b*c"));
  EXPECT_TRUE(MatchMask("abcbc", "*bc"));
  EXPECT_FALSE(MatchMask("abcb", "*bc"));
  EXPECT_TRUE(MatchMask("x", "***x**"));
  EXPECT_FALSE(MatchMask("EN.LNG", "*.lng"));  // callers lower-case both sides
  EXPECT_TRUE(MatchMask(LowerAscii("EN.LNG"), LowerAscii("*.LNG")));
  EXPECT_EQ(LowerAscii("AbZ\xC0"), "abz\xC0");
}

TEST(MaskMatch, PathologicalMasksStayFast) {
  std::string name(20000, 'a');
  std::string mask;
  for (int i = 0; i < 2000; ++i)
    mask += "*a";
  mask += "b";
  EXPECT_FALSE(MatchMask(name, mask));
}

class FileSearchTest : public ElementTest {
 protected:
  TempFolder t;
  THIFileSearch fs;
  Probe hits, others, ends;
  void SetUp() override {
    ElementTest::SetUp();
    fs.onSearch = hits.Link();
    fs.onOther = others.Link();
    fs.onEndSearch = ends.Link();
    fs.Dir = t.Path();
    fs.Ext = "*.lng";
    fs.SubDir = 1;
  }
  // The names the listing gives for the folder, in its order, filtered by keep.
  template <class F>
  V InListingOrder(const std::string& dir, F keep) {
    std::vector<os::DirEntry> entries;
    os::ListFolder(dir, entries);
    V out;
    for (auto& e : entries)
      if (keep(e.Name)) out.push_back(e.Name);
    return out;
  }
};

TEST_F(FileSearchTest, LanguageFilesInThisFolderOnly) {
  t.Write("en.lng", "");
  t.Write("RU.LNG", "");
  t.Write("readme.txt", "");
  t.Write(".hidden.lng", "");
  t.MakeFolder("old.lng");
  t.Write("old.lng/inner.lng", "");
  Fire<&THIFileSearch::doSearch>(fs);
  EXPECT_EQ(hits.Texts(),
            InListingOrder(t.Path(), [](auto& n) { return n == "en.lng" || n == "RU.LNG"; }));
  EXPECT_EQ(others.Texts(), (V{t.Path() + S + "readme.txt"}));
  ASSERT_EQ(ends.got.size(), 1u);
  EXPECT_EQ(ends.got[0].Kind, data_int);
  EXPECT_EQ(ends.got[0].IntValue, 2);
  EXPECT_EQ(fs.Count, 2);
}

TEST_F(FileSearchTest, RelativeFolderAndFullNames) {
  t.Write("en.lng", "");
  char* cwd = ::getcwd(nullptr, 0);
  ASSERT_EQ(::chdir(t.Path().c_str()), 0);
  fs.Dir = ".";
  fs.FullName = 1;
  Fire<&THIFileSearch::doSearch>(fs);
  EXPECT_EQ(::chdir(cwd), 0);
  std::free(cwd);
  EXPECT_EQ(hits.Texts(), (V{"." + S + "en.lng"}));
}

TEST_F(FileSearchTest, SubfoldersAreSearchedAtOnceAndFoldersReported) {
  t.MakeFolder("a/b");
  t.Write("a/b/deep.lng", "");
  t.Write("a/x.lng", "");
  t.Write("top.lng", "");
  t.MakeFolder(".git");
  t.Write(".git/skip.lng", "");
  fs.SubDir = 0;
  fs.FullName = 1;
  fs.Include = 2;
  Fire<&THIFileSearch::doSearch>(fs);
  V got = hits.Texts();
  std::sort(got.begin(), got.end());
  std::string d = t.Path();
  EXPECT_EQ(got, (V{d + "a", d + "a" + S + "b", d + "a" + S + "b" + S + "deep.lng",
                    d + "a" + S + "x.lng", d + "top.lng"}));
  EXPECT_EQ(ends.got.at(0).IntValue, 3);
  // A folder's own report comes before what is inside it.
  V order = hits.Texts();
  auto pos = [&](const std::string& s) { return std::find(order.begin(), order.end(), s); };
  EXPECT_LT(pos(d + "a"), pos(d + "a" + S + "x.lng"));
  EXPECT_LT(pos(d + "a" + S + "b"), pos(d + "a" + S + "b" + S + "deep.lng"));
}

TEST_F(FileSearchTest, FoldersOnlyStillCountsFiles) {
  t.MakeFolder("sub");
  t.Write("en.lng", "");
  fs.Include = 1;
  Fire<&THIFileSearch::doSearch>(fs);
  EXPECT_EQ(hits.Texts(), (V{"sub"}));
  EXPECT_EQ(ends.got.at(0).IntValue, 1);
}

TEST_F(FileSearchTest, EmptyMaskMatchesEverythingEmptyFolderSendsNothing) {
  t.Write("a", "");
  t.Write("b.txt", "");
  fs.Ext = "";
  Fire<&THIFileSearch::doSearch>(fs);
  EXPECT_EQ(ends.got.at(0).IntValue, 2);
  EXPECT_TRUE(others.got.empty());
  fs.Dir = "";
  Fire<&THIFileSearch::doSearch>(fs);  // empty folder and no incoming value: nothing at all
  EXPECT_EQ(ends.got.size(), 1u);
  EXPECT_EQ(hits.got.size(), 2u);
}

TEST_F(FileSearchTest, MissingFolderEndsWithZero) {
  fs.Dir = t.Path("missing");
  Fire<&THIFileSearch::doSearch>(fs);
  EXPECT_TRUE(hits.got.empty());
  ASSERT_EQ(ends.got.size(), 1u);
  EXPECT_EQ(ends.got[0].IntValue, 0);
}

TEST_F(FileSearchTest, LinkLoopsAreNotFollowed) {
  t.MakeFolder("a");
  t.Write("a/x.lng", "");
  std::error_code ec;
  std::filesystem::create_directory_symlink(t.Path("a"), t.Path("a/loop"), ec);
  if (ec) GTEST_SKIP() << "no symbolic links here";
  fs.SubDir = 0;
  Fire<&THIFileSearch::doSearch>(fs);
  EXPECT_EQ(hits.Texts(), (V{"x.lng"}));
}

TEST_F(FileSearchTest, DataPointsAndStop) {
  t.Write("one.txt", "");
  t.Write("two.txt", "");
  Source dir, ext;
  dir.value = MakeString(t.Path());
  ext.value = MakeString("*.TXT");
  fs.Dir = "/nonexistent";
  fs.DirPoint = dir.Link();
  fs.ExtPoint = ext.Link();
  Fire<&THIFileSearch::doSearch>(fs);
  EXPECT_EQ(ends.got.at(0).IntValue, 2);
  // A receiver that stops the search after the first hit.
  struct Stopper : THIBase {
    THIFileSearch* fs = nullptr;
    int calls = 0;
    void doWork(TData& d, uint16_t) {
      ++calls;
      fs->doStop(d, 0);
    }
  } stopper;
  stopper.fs = &fs;
  fs.onSearch = MakeEvent<&Stopper::doWork>(&stopper);
  Fire<&THIFileSearch::doSearch>(fs);
  EXPECT_EQ(stopper.calls, 1);
  EXPECT_EQ(ends.got.at(1).IntValue, 1);
}
