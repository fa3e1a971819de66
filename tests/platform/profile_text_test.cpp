// The ini text format: lookup rules and in-place updates that keep every other byte.
#include <gtest/gtest.h>

#include "platform/profile_text.h"

using os::profile::CanWrite;
using os::profile::Lookup;
using os::profile::Update;

namespace {
std::string Get(std::string_view text, std::string_view s, std::string_view k) {
  auto v = Lookup(text, s, k);
  return v ? *v : std::string("<missing>");
}
}  // namespace

TEST(ProfileLookup, NamesMatchWithoutCaseAndBlanksAreTrimmed) {
  std::string text = "  [ Main ]  \r\n  Language =  ru  \r\nLeft=\t10\t\r\n";
  EXPECT_EQ(Get(text, "main", "language"), "ru");
  EXPECT_EQ(Get(text, "MAIN", "LEFT"), "10");
  EXPECT_EQ(Get(text, "main", "top"), "<missing>");
  EXPECT_EQ(Get(text, "other", "language"), "<missing>");
}

TEST(ProfileLookup, QuotesAreRemovedOnlyWhenTheyMatch) {
  std::string text = "[s]\na=\"x y\"\nb='z'\nc=\"mixed'\nd=\"\ne=\"\"\nf= ' padded ' \n";
  EXPECT_EQ(Get(text, "s", "a"), "x y");
  EXPECT_EQ(Get(text, "s", "b"), "z");
  EXPECT_EQ(Get(text, "s", "c"), "\"mixed'");
  EXPECT_EQ(Get(text, "s", "d"), "\"");
  EXPECT_EQ(Get(text, "s", "e"), "");
  EXPECT_EQ(Get(text, "s", "f"), " padded ");
}

TEST(ProfileLookup, FirstSectionAndFirstKeyWin) {
  std::string text = "[s]\nk=1\nk=2\n[t]\nk=3\n[S]\nk=4\nonly=5\n";
  EXPECT_EQ(Get(text, "s", "k"), "1");
  EXPECT_EQ(Get(text, "t", "k"), "3");
  // A key that only the repeated section holds is found there.
  EXPECT_EQ(Get(text, "s", "only"), "5");
}

TEST(ProfileLookup, CommentsKeysOutsideSectionsAndOddLines) {
  std::string text = "top=0\n;[s]\n[s]\n; k=commented\nnovalue\nbroken[\n[x\nk=1\nv=a=b\n";
  EXPECT_EQ(Get(text, "", "top"), "<missing>");
  EXPECT_EQ(Get(text, "s", "; k"), "<missing>");
  EXPECT_EQ(Get(text, "s", "novalue"), "");
  // "[x" without a closing bracket is not a section header: k still belongs to [s].
  EXPECT_EQ(Get(text, "s", "k"), "1");
  EXPECT_EQ(Get(text, "s", "v"), "a=b");
  EXPECT_EQ(Get(text, "s", ""), "<missing>");
}

TEST(ProfileLookup, LineEndsOfEveryKind) {
  EXPECT_EQ(Get("[s]\rk=cr\r", "s", "k"), "cr");
  EXPECT_EQ(Get("[s]\r\nk=crlf\r\n", "s", "k"), "crlf");
  EXPECT_EQ(Get("[s]\nk=lf", "s", "k"), "lf");
  EXPECT_EQ(Get("\xEF\xBB\xBF[s]\nk=bom\n", "s", "k"), "bom");
}

TEST(ProfileUpdate, ReplacesInPlaceKeepingEveryOtherByte) {
  std::string text = "; head\r\n[Main]\r\n  Language = en \r\nLeft=1\r\n\r\n[other]\r\nx=y\r\n";
  EXPECT_EQ(Update(text, "main", "language", "ru"),
            "; head\r\n[Main]\r\n  Language=ru\r\nLeft=1\r\n\r\n[other]\r\nx=y\r\n");
}

TEST(ProfileUpdate, OnlyTheFirstOfDuplicateKeysChanges) {
  EXPECT_EQ(Update("[s]\nk=1\nk=2\n", "S", "K", "9"), "[s]\nk=9\nk=2\n");
}

TEST(ProfileUpdate, NewKeyGoesAtTheEndOfItsSectionBeforeBlankLines) {
  std::string text = "[a]\nx=1\n; note\n\n[b]\ny=2\n";
  EXPECT_EQ(Update(text, "a", "z", "3"), "[a]\nx=1\n; note\nz=3\n\n[b]\ny=2\n");
  EXPECT_EQ(Update(text, "b", "z", "3"), "[a]\nx=1\n; note\n\n[b]\ny=2\nz=3\n");
  // The last line of the file had no line end.
  EXPECT_EQ(Update("[a]\r\nx=1", "a", "z", "3"), "[a]\r\nx=1\r\nz=3\r\n");
  // An empty section.
  EXPECT_EQ(Update("[a]\n[b]\n", "a", "z", "3"), "[a]\nz=3\n[b]\n");
}

TEST(ProfileUpdate, NewSectionAtTheEndInTheFileStyle) {
  EXPECT_EQ(Update("", "main", "language", "ru"), "[main]\r\nlanguage=ru\r\n");
  EXPECT_EQ(Update("", "main", "language", "ru", "\n"), "[main]\nlanguage=ru\n");
  EXPECT_EQ(Update("[a]\nx=1\n", "b", "k", "v"), "[a]\nx=1\n[b]\nk=v\n");
  EXPECT_EQ(Update("[a]\r\nx=1", "b", "k", "v"), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
}

TEST(ProfileUpdate, WrittenValueReadsBack) {
  std::string text = "[s]\nk = old\n";
  for (std::string v : {"", "plain", "with = sign", "'quoted'", "x"}) {
    text = Update(text, "s", "k", v);
    std::string expect = v == "'quoted'" ? "quoted" : v;
    EXPECT_EQ(Get(text, "s", "k"), expect);
  }
  EXPECT_EQ(text, "[s]\nk=x\n");
}

TEST(ProfileUpdate, RejectsLineBreaksAndBrokenNames) {
  EXPECT_TRUE(CanWrite("main", "language", "ru"));
  EXPECT_FALSE(CanWrite("main", "language", "r\nu"));
  EXPECT_FALSE(CanWrite("main", "language", "r\ru"));
  EXPECT_FALSE(CanWrite("main", "lang\nuage", "ru"));
  EXPECT_FALSE(CanWrite("ma\r\nin", "language", "ru"));
  EXPECT_FALSE(CanWrite("ma]in", "language", "ru"));
  EXPECT_FALSE(CanWrite("main", "", "ru"));
  EXPECT_FALSE(CanWrite("main", "  ", "ru"));
  EXPECT_FALSE(CanWrite("main", "a=b", "ru"));
  EXPECT_FALSE(CanWrite("main", "[x]", "ru"));
  EXPECT_FALSE(CanWrite("main", ";x", "ru"));
}
