// TStrList line rules and THIStrList with its Array view.
#include <sys/stat.h>

#include "elements/strlist.h"
#include "tests/elements/element_fixture.h"
#include "tests/support/temp_folder.h"

namespace {
std::vector<std::string> LinesOf(const TStrList& l) {
  std::vector<std::string> out;
  for (size_t i = 0; i < l.Count(); ++i)
    out.push_back(l.Get(i));
  return out;
}
using V = std::vector<std::string>;
}  // namespace

TEST(TStrListText, CrAndCrLfSeparateLinesLoneLfDoesNot) {
  TStrList l;
  l.SetText("a\r\n\r\nb\r\n");
  EXPECT_EQ(LinesOf(l), (V{"a", "", "b"}));
  l.SetText("a\nb");
  EXPECT_EQ(LinesOf(l), (V{"a\nb"}));
  l.SetText("a\rb\r\rc");
  EXPECT_EQ(LinesOf(l), (V{"a", "b", "", "c"}));
  l.SetText("x\n\r\ny");  // LF stays in the first line; CR LF ends it
  EXPECT_EQ(LinesOf(l), (V{"x\n", "y"}));
  l.SetText("\r\n");
  EXPECT_EQ(LinesOf(l), (V{""}));
}

TEST(TStrListText, EmptyTextAndZeroByte) {
  TStrList l;
  l.SetText("old");
  l.SetText("");
  EXPECT_EQ(l.Count(), 0u);
  l.SetText(std::string("a\r\nb\0c\r\nd", 9));
  EXPECT_EQ(LinesOf(l), (V{"a", "b"}));
  l.SetText(std::string("\0abc", 4));
  EXPECT_EQ(l.Count(), 0u);
}

TEST(TStrListText, OutOfRangeReadsEmptyAndSetIgnoresIt) {
  TStrList l;
  l.Add("one");
  EXPECT_EQ(l.Get(1), "");
  EXPECT_EQ(l.Get(static_cast<size_t>(-1)), "");
  l.Set(1, "x");
  EXPECT_EQ(LinesOf(l), (V{"one"}));
}

TEST(TStrListText, SetAndAddKeepOtherLines) {
  TStrList l;
  l.SetText("aaa\rbbb\rccc");
  l.Set(1, "a much longer line than before");
  l.Set(0, "x");
  l.Add(l.Line(2));  // a line of the list itself
  for (int i = 0; i < 2000; ++i)
    l.Set(2, std::string(static_cast<size_t>(i % 50), 'z'));
  EXPECT_EQ(LinesOf(l), (V{"x", "a much longer line than before", std::string(49, 'z'), "ccc"}));
  l.Add(std::string("cut\0here", 8));
  EXPECT_EQ(l.Get(4), "cut");
  EXPECT_EQ(l.Text(), "x\r\na much longer line than before\r\n" + std::string(49, 'z') +
                          "\r\nccc\r\ncut\r\n");
}

TEST(TStrListText, TextMayComeFromTheListItself) {
  TStrList l;
  l.SetText("first\rsecond line\rthird");
  l.SetText(l.Line(1));  // the text lives in the buffer being replaced
  EXPECT_EQ(LinesOf(l), (V{"second line"}));
  std::string big(100000, 'b');
  l.SetText(big + "\r" + "x");
  l.SetText(l.Line(0).substr(99990));
  EXPECT_EQ(LinesOf(l), (V{std::string(10, 'b')}));
  l.TakeText(std::string("moved\r\nin"));
  EXPECT_EQ(LinesOf(l), (V{"moved", "in"}));
  l.Set(0, "a line longer than the one it replaces");
  EXPECT_EQ(l.Text(), "a line longer than the one it replaces\r\nin\r\n");
}

TEST(TStrListText, ExListKeepsObjectsPerLine) {
  TStrListEx l;
  int a = 0, b = 0;
  l.AddObject("a", &a);
  l.Add("plain");
  l.AddObject("b", &b);
  EXPECT_EQ(l.Object(0), &a);
  EXPECT_EQ(l.Object(1), nullptr);
  EXPECT_EQ(l.Object(2), &b);
  EXPECT_EQ(l.Object(3), nullptr);
  l.Clear();
  l.Add("again");
  EXPECT_EQ(l.Object(0), nullptr);
}

class StrListTest : public ElementTest {
 protected:
  THIStrList list;
  Probe changes;
  void SetUp() override {
    ElementTest::SetUp();
    list.onChange = changes.Link();
  }
};

TEST_F(StrListTest, AddAppendsOneLineWithoutSplitting) {
  Fire<&THIStrList::doAdd>(list, MakeString("a\r\nb"));
  Fire<&THIStrList::doAdd>(list, MakeInteger(5));
  EXPECT_EQ(LinesOf(list.Lines), (V{"a\r\nb", "5"}));
  ASSERT_EQ(changes.got.size(), 2u);
  EXPECT_EQ(changes.got[0].Kind, data_null);
  Fire<&THIStrList::doClear>(list);
  EXPECT_EQ(list.Lines.Count(), 0u);
  EXPECT_EQ(changes.got.size(), 3u);
}

TEST_F(StrListTest, AddReadsLinkedStrPoint) {
  Source s;
  s.value = MakeString("from point");
  list.StrPoint = s.Link();
  Fire<&THIStrList::doAdd>(list, MakeString("ignored"));
  EXPECT_EQ(LinesOf(list.Lines), (V{"from point"}));
}

TEST_F(StrListTest, LoadReplacesLinesFromAFile) {
  TempFolder t;
  list.FileName = t.Write("c.ini", "a\r\n\r\nb\r\n");
  list.SetStrings("old\r");
  Fire<&THIStrList::doLoad>(list);
  EXPECT_EQ(LinesOf(list.Lines), (V{"a", "", "b"}));
  EXPECT_EQ(changes.got.size(), 1u);
  // The incoming value names the file when the property is empty.
  list.FileName.clear();
  Fire<&THIStrList::doLoad>(list, MakeString(t.Write("lf.txt", "a\nb")));
  EXPECT_EQ(LinesOf(list.Lines), (V{"a\nb"}));
  Fire<&THIStrList::doLoad>(list, MakeString(t.Write("empty.txt", "")));
  EXPECT_EQ(list.Lines.Count(), 0u);
  EXPECT_EQ(changes.got.size(), 3u);
}

TEST_F(StrListTest, LoadOfMissingFileOrFolderChangesNothing) {
  TempFolder t;
  t.MakeFolder("dir");
  list.SetStrings("keep\r");
  Fire<&THIStrList::doLoad>(list, MakeString(t.Path("missing.txt")));
  Fire<&THIStrList::doLoad>(list, MakeString(t.Path("dir")));
  Fire<&THIStrList::doLoad>(list, MakeString(""));
  EXPECT_EQ(LinesOf(list.Lines), (V{"keep"}));
  EXPECT_TRUE(changes.got.empty());
}

#ifndef _WIN32  // named pipes in the file system are POSIX only
TEST_F(StrListTest, UnreadableFileKeepsLinesButFiresChange) {
  TempFolder t;
  // A named pipe exists and is not a folder, but is never read (it could block for ever).
  std::string p = t.Path("pipe.txt");
  ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
  list.SetStrings("keep\r");
  Fire<&THIStrList::doLoad>(list, MakeString(p));
  EXPECT_EQ(LinesOf(list.Lines), (V{"keep"}));
  EXPECT_EQ(changes.got.size(), 1u);
}
#endif

TEST_F(StrListTest, ArrayViewReadsWritesAndAppendsLines) {
  list.SetStrings("zero\rone\r");
  TData a = Ask<&THIStrList::GetArray>(list);
  ASSERT_EQ(a.Kind, data_array);
  auto* arr = static_cast<TArrayIntf*>(a.Ref);
  EXPECT_EQ(arr->Count(), 2);
  TData r;
  ASSERT_TRUE(arr->Get(MakeInteger(1), r));
  EXPECT_EQ(r.Kind, data_str);
  EXPECT_EQ(r.StrValue, "one");
  EXPECT_TRUE(arr->Get(MakeString("0"), r));
  EXPECT_EQ(r.StrValue, "zero");
  EXPECT_FALSE(arr->Get(MakeInteger(2), r));
  EXPECT_EQ(r.Kind, data_null);
  EXPECT_FALSE(arr->Get(MakeInteger(-1), r));
  arr->Set(MakeInteger(0), MakeInteger(42));
  arr->Set(MakeInteger(2), MakeString("ignored"));
  arr->Add(MakeString("two"));
  EXPECT_EQ(LinesOf(list.Lines), (V{"42", "one", "two"}));
  // The same view every time.
  EXPECT_EQ(Ask<&THIStrList::GetArray>(list).Ref, a.Ref);
}

TEST_F(StrListTest, EmptyListArrayHasNoItems) {
  TData a = Ask<&THIStrList::GetArray>(list);
  auto* arr = static_cast<TArrayIntf*>(a.Ref);
  EXPECT_EQ(arr->Count(), 0);
  TData r;
  EXPECT_FALSE(arr->Get(MakeInteger(0), r));
}
