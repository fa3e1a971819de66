// THIStrPart, THIFormatStr, THILength, THIPosition.
#include "elements/formatstr.h"
#include "elements/length.h"
#include "elements/position.h"
#include "elements/strpart.h"
#include "tests/elements/element_fixture.h"

using V = std::vector<std::string>;

class StrPartTest : public ElementTest {
 protected:
  THIStrPart part;
  Probe order;  // both sides into one probe, to see the order
  Probe notFound;
  void SetUp() override {
    ElementTest::SetUp();
    part.Char = "=";
    part.onLeft = MakeEvent<&Probe::doWork>(&order, 0);
    part.onRight = MakeEvent<&Probe::doWork>(&order, 1);
    part.onNotFound = notFound.Link();
  }
};

TEST_F(StrPartTest, LeftThenRightAtTheFirstSeparator) {
  Fire<&THIStrPart::doSplit>(part, MakeString("key=value"));
  EXPECT_EQ(order.Texts(), (V{"key", "value"}));
  Fire<&THIStrPart::doSplit>(part, MakeString("a=b=c"));
  EXPECT_EQ(order.Texts(), (V{"key", "value", "a", "b=c"}));
  EXPECT_EQ(ToString(Ask<&THIStrPart::GetLeft>(part)), "a");
  EXPECT_EQ(part.Remainder, "b=c");
}

TEST_F(StrPartTest, ModeOneSendsTheRightPartFirst) {
  part.Mode = 1;
  Fire<&THIStrPart::doSplit>(part, MakeString("abc="));
  EXPECT_EQ(order.Texts(), (V{"", "abc"}));
}

TEST_F(StrPartTest, NotFoundAndEmptyInputs) {
  Fire<&THIStrPart::doSplit>(part, MakeString("abc"));
  EXPECT_EQ(notFound.Texts(), (V{"abc"}));
  Fire<&THIStrPart::doSplit>(part, MakeString(""));
  part.Char = "";
  Fire<&THIStrPart::doSplit>(part, MakeString("a=b"));
  EXPECT_TRUE(order.got.empty());
  EXPECT_EQ(notFound.got.size(), 1u);
  // Left keeps the last successful split.
  part.Char = "=";
  Fire<&THIStrPart::doSplit>(part, MakeString("x=y"));
  Fire<&THIStrPart::doSplit>(part, MakeString("nothing"));
  EXPECT_EQ(ToString(Ask<&THIStrPart::GetLeft>(part)), "x");
}

TEST_F(StrPartTest, WholeSeparatorDecidesFirstCharacterSplits) {
  part.Char = "=>";
  Fire<&THIStrPart::doSplit>(part, MakeString("a=b"));  // "=>" absent
  EXPECT_EQ(notFound.Texts(), (V{"a=b"}));
  Fire<&THIStrPart::doSplit>(part, MakeString("a=b=>c"));
  EXPECT_EQ(order.Texts(), (V{"a", "b=>c"}));
}

TEST(FormatMaskRule, PlaceholdersPercentsAndMarkers) {
  EXPECT_EQ(FormatMask("%1 %2 %3", {"x", "y", "z"}), "x y z");
  EXPECT_EQ(FormatMask("100%% %1", {"x"}), "100% x");
  EXPECT_EQ(FormatMask("%12", {"x"}), "%12");
  EXPECT_EQ(FormatMask("%1%1", {"ab"}), "abab");
  EXPECT_EQ(FormatMask("%2%1", {"7", "y"}), "y7");
  EXPECT_EQ(FormatMask("%1 %4", {"a", "b"}), "a %4");
  EXPECT_EQ(FormatMask("%%1", {"x"}), "%1");
  // A later placeholder inside an inserted argument is filled too; an earlier one is not.
  EXPECT_EQ(FormatMask("%1", {"<%2>", "b"}), "<b>");
  EXPECT_EQ(FormatMask("%2", {"a", "<%1>"}), "<%1>");
  // Byte 1 and zero bytes from the mask or an argument: deleted, or turned into '%'.
  EXPECT_EQ(FormatMask(std::string("a\1b\0c", 5), {}), "ab%c");
  EXPECT_EQ(FormatMask("%1", {std::string("\0\1", 2)}), "%");
  EXPECT_EQ(FormatMask("", {"x"}), "");
  EXPECT_EQ(FormatMask("%", {"x"}), "%");
  std::vector<std::string> twelve(12);
  for (int i = 0; i < 12; ++i)
    twelve[static_cast<size_t>(i)] = std::string(1, char('a' + i));
  EXPECT_EQ(FormatMask("%12%1%10", twelve), "laj");
}

TEST(FormatMaskRule, NestedPlaceholdersStayWithinBounds) {
  // Each argument full of the next placeholder: by the plain rule 500^3 * 4000 bytes.
  std::string mask, a1, a2, a3(4000, 'x');
  for (int i = 0; i < 500; ++i) {
    mask += "%1";
    a1 += "%2";
    a2 += "%3";
  }
  std::string r = FormatMask(mask, {a1, a2, a3});
  size_t inputs = mask.size() + a1.size() + a2.size() + a3.size();
  // The mask's own 500 placeholders take the first argument in full; the rest is bounded.
  EXPECT_LE(r.size(), 4 * (inputs + 4096) + 500 * (a1.size() + 1));
  // Every placeholder left unfilled is still there as text; nothing else was lost.
  EXPECT_NE(r.find("%2"), std::string::npos);
  EXPECT_EQ(r.find('\1'), std::string::npos);
  // Small nestings are still filled in full.
  EXPECT_EQ(FormatMask("%1%1", {"%2%2", "ab"}), "abababab");
  // The mask's own placeholders are filled whatever the arguments hold.
  std::string w, v(600000, 'x');
  for (int i = 0; i < 200000; ++i)
    w += "%3";
  r = FormatMask("%1 %2 %3", {w, "101", v});
  EXPECT_LE(r.size(), 4 * (w.size() + v.size() + 8 + 4096) + v.size());
  EXPECT_EQ(r.substr(r.size() - v.size() - 5), " 101 " + v);
}

TEST_F(ElementTest, FormatStrReadsArgumentsInOrder) {
  THIFormatStr f;
  Probe out;
  f.Mask = "%1 %2 %3";
  f.SetCount(3);
  f.onFormat = out.Link();
  Source second;
  second.value = MakeString("Y");
  f.StrPoint[1] = second.Link();
  // Unlinked points take the values of the incoming chain, in order.
  TData in = MakeString("x");
  TData tail = MakeInteger(3);
  in.Next = &tail;
  Fire<&THIFormatStr::doFormat>(f, in);
  EXPECT_EQ(out.Texts(), (V{"x Y 3"}));
}

TEST_F(ElementTest, LengthCountsBytes) {
  THILength len;
  Probe out;
  len.onLength = out.Link();
  Fire<&THILength::doLength>(len, MakeString("abc"));
  Fire<&THILength::doLength>(len, MakeString(std::string("a\0b", 3)));
  Fire<&THILength::doLength>(len, MakeString(""));
  Fire<&THILength::doLength>(len, MakeInteger(-12));
  ASSERT_EQ(out.got.size(), 4u);
  EXPECT_EQ(out.got[0].Kind, data_int);
  EXPECT_EQ(out.Texts(), (V{"3", "3", "0", "3"}));
  EXPECT_EQ(ToInteger(Ask<&THILength::GetLength>(len)), 3);
}

class PositionTest : public ElementTest {
 protected:
  THIPosition pos;
  Probe out;
  void SetUp() override {
    ElementTest::SetUp();
    pos.onSearch = out.Link();
    pos.SubStr = "-- end";
    pos.StartPos = 1;
    pos.Restart = 1;
  }
  std::string Search(std::string_view s) {
    out.got.clear();
    Fire<&THIPosition::doSearch>(pos, MakeString(s));
    return out.got.empty() ? "none" : ToString(out.got[0]);
  }
};

TEST_F(PositionTest, FindsFromTheStartPosition) {
  EXPECT_EQ(Search("-- end"), "1");
  EXPECT_EQ(Search("x-- end"), "2");
  EXPECT_EQ(Search("--end"), "0");
  pos.FoundOnly = 1;
  EXPECT_EQ(Search("--end"), "none");
  EXPECT_EQ(pos.Position, 0);
  EXPECT_EQ(Search("ab-- end"), "3");
  EXPECT_EQ(ToInteger(Ask<&THIPosition::GetPosition>(pos)), 3);
}

TEST_F(PositionTest, ContinuesAfterTheLastMatchWithoutRestart) {
  pos.Restart = 0;
  pos.SubStr = "ab";
  EXPECT_EQ(Search("ab ab ab"), "1");
  EXPECT_EQ(Search("ab ab ab"), "4");
  EXPECT_EQ(Search("ab ab ab"), "7");
  EXPECT_EQ(Search("ab ab ab"), "0");
  EXPECT_EQ(Search("ab ab ab"), "1");  // after a miss it starts over
}

TEST_F(PositionTest, StartPositionsOutsideTheText) {
  pos.SubStr = "a";
  pos.StartPos = 0;
  EXPECT_EQ(Search("abc"), "1");
  pos.StartPos = -5;
  EXPECT_EQ(Search("abc"), "1");
  pos.StartPos = 2;
  EXPECT_EQ(Search("abca"), "4");
  pos.StartPos = 99;
  EXPECT_EQ(Search("abc"), "0");
  EXPECT_EQ(Search(""), "0");
  pos.SubStr = "";
  pos.StartPos = 1;
  // An empty SubStr property reads the incoming chain: nothing left there, so nothing is found.
  EXPECT_EQ(Search("abc"), "0");
}
