// The ini text format: lookup rules and in-place updates that keep every other byte.
#include <gtest/gtest.h>

#include <cstdint>

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

// One row: a text, the section and key asked for, and the answer ("<missing>": none).
struct LookupRow {
  const char* Text;
  const char* Section;
  const char* Key;
  const char* Expect;
};

TEST(ProfileLookup, OnlyTheFirstSectionOfANameIsRead) {
  const LookupRow rows[] = {
      {"[s]\nk=1\nk=2\n[t]\nk=3\n[S]\nk=4\nonly=5\n", "s", "k", "1"},
      {"[s]\nk=1\nk=2\n[t]\nk=3\n[S]\nk=4\nonly=5\n", "t", "k", "3"},
      // A key that only a repeated section holds is not there.
      {"[s]\nk=1\nk=2\n[t]\nk=3\n[S]\nk=4\nonly=5\n", "s", "only", "<missing>"},
      {"[Main]\r\n[main]\r\nx=-2147483648\r\n", "MAin", "x", "<missing>"},
      {"[a]\n[b]\nx=1\n[a]\nx=2\n", "a", "x", "<missing>"},
      // Lines before the first header form the section "".
      {"top=0\n[s]\nk=1\n", "", "top", "0"},
      {"top=0\n[s]\nk=1\n", "", "k", "<missing>"},
      {"top=0\n[s]\nk=1\n", "s", "top", "<missing>"},
      {"[s]\nk=1\n", "", "k", "<missing>"},
      {"\xEF\xBB\xBFtop=0\n[s]\n", "", "top", "0"},
  };
  for (const LookupRow& r : rows)
    EXPECT_EQ(Get(r.Text, r.Section, r.Key), r.Expect)
        << r.Text << " [" << r.Section << "] " << r.Key;
}

TEST(ProfileLookup, ALineWithoutAnEqualSignHoldsNoValue) {
  const LookupRow rows[] = {
      {"[Main]\r\nk \r\n", "Main", "k", "<missing>"},
      {"[s]\nnovalue\n", "s", "novalue", "<missing>"},
      // The first line of a name hides a later one with a value.
      {"[s]\nk\nk=1\n", "s", "k", "<missing>"},
      {"[s]\nk=1\nk\n", "s", "k", "1"},
      {"[s]\nk=\n", "s", "k", ""},
      {"[s]\nk\nj=2\n", "s", "j", "2"},
  };
  for (const LookupRow& r : rows)
    EXPECT_EQ(Get(r.Text, r.Section, r.Key), r.Expect) << r.Text;
}

TEST(ProfileLookup, CommentsKeysOutsideSectionsAndOddLines) {
  std::string text = "top=0\n;[s]\n[s]\n; k=commented\nbroken[\n[x\nk=1\nv=a=b\n=e\n";
  EXPECT_EQ(Get(text, "s", "; k"), "<missing>");
  // "[x" without a closing bracket is not a section header: k still belongs to [s].
  EXPECT_EQ(Get(text, "s", "k"), "1");
  EXPECT_EQ(Get(text, "s", "v"), "a=b");
  EXPECT_EQ(Get(text, "s", ""), "e");
  EXPECT_EQ(Get(text, "s", "broken["), "<missing>");
}

TEST(ProfileDefault, TrailingSpacesAndOnePairOfQuotesGo) {
  const std::pair<const char*, const char*> rows[] = {
      {"d", "d"},           {"d  ", "d"},
      {"d \t", "d \t"},     {"  d", "  d"},
      {"  ", " "},          {"", ""},
      {"\"q\"", "q"},       {"'q'", "q"},
      {"\"q\"  ", "q"},     {" \"q\"", " \"q\""},
      {"\"q'", "\"q'"},     {"\"\"", ""},
      {"\"x\"y\"", "x\"y"}, {"\"", "\""},
      {"\"\t", "\"\t"},     {"\"a\" \t", "\"a\" \t"},
  };
  for (auto& [in, out] : rows)
    EXPECT_EQ(os::profile::DefaultText(in), out) << in;
}

TEST(ProfileInt, BaseZeroConversion) {
  struct Row {
    const char* Value;
    int32_t Expect;
  };
  const Row rows[] = {
      {"12", 12},
      {"-5", -5},
      {"+5", 5},
      {"12abc", 12},
      {"12 34", 12},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"0x10", 16},
      {"0xfF", 255},
      {"+0x1F", 31},
      {"-0x10", -16},
      {"0x", 0},
      {"0x1g", 1},
      {"0X10", 0},
      {"0o17", 15},
      {"0o9", 0},
      {"0o78", 7},
      {"0b101", 5},
      {"-0b11", -3},
      {"0b2", 0},
      {"0B11", 0},
      {"07", 7},
      {"010", 10},
      {"--3", 0},
      {"+ 4", 0},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", INT32_MIN},
      {"4294967297", 1},
      {"0x7fffffffF", -1},
      {"0xFFFFFFFF", -1},
      {"0b11111111111111111111111111111111", -1},
  };
  for (const Row& r : rows)
    EXPECT_EQ(os::profile::ToInt(r.Value), r.Expect) << r.Value;
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

// One row: a text, the write, and the text afterwards.
struct UpdateRow {
  const char* Text;
  const char* Section;
  const char* Key;
  const char* Value;
  const char* Expect;
};

TEST(ProfileUpdate, OnlyTheFirstSectionOfANameIsWritten) {
  const UpdateRow rows[] = {
      {"[s]\nk=1\nk=2\n", "S", "K", "9", "[s]\nk=9\nk=2\n"},
      {"[Main]\r\n[Main]\r\nkey=7\r\n", "mAin", "keY", "v",
       "[Main]\r\nkeY=v\r\n[Main]\r\nkey=7\r\n"},
      {"[a]\nx=1\n[b]\n[A]\ny=2\n", "a", "y", "3", "[a]\nx=1\ny=3\n[b]\n[A]\ny=2\n"},
      // The section "": the lines before the first header, or the top of the text.
      {"a=1\n[s]\nb=2\n", "", "b", "9", "a=1\nb=9\n[s]\nb=2\n"},
      {"a=1\n\n[s]\n", "", "a", "2", "a=2\n\n[s]\n"},
      {"[s]\nb=2\n", "", "z", "8", "z=8\n[s]\nb=2\n"},
      {"", "", "z", "8", "z=8\r\n"},
      {"\xEF\xBB\xBF[s]\r\n", "", "z", "8", "\xEF\xBB\xBFz=8\r\n[s]\r\n"},
      {"\xEF\xBB\xBF"
       "a=1",
       "", "z", "8",
       "\xEF\xBB\xBF"
       "a=1\r\nz=8\r\n"},
      // A key starting with the bytes of a byte order mark keeps them.
      {"", "",
       "\xEF\xBB\xBF"
       "k",
       "8",
       "\xEF\xBB\xBF\xEF\xBB\xBF"
       "k=8\r\n"},
  };
  for (const UpdateRow& r : rows) {
    EXPECT_EQ(Update(r.Text, r.Section, r.Key, r.Value), r.Expect) << r.Text;
    EXPECT_EQ(Get(Update(r.Text, r.Section, r.Key, r.Value), r.Section, r.Key), r.Value);
  }
}

TEST(ProfileUpdate, ALineWithoutAnEqualSignTakesTheValue) {
  const UpdateRow rows[] = {
      {"[Main]\r\nk \r\n", "main", "K", "v", "[Main]\r\nk=v\r\n"},
      {"[s]\n  k\nk=1\n", "s", "k", "2", "[s]\n  k=2\nk=1\n"},
      // Leading blanks of a value are not written.
      {"[s]\nk=1\n", "s", "k", "  v ", "[s]\nk=v \n"},
      {"[s]\nk=1\n", "s", "k", "\t ", "[s]\nk=\n"},
  };
  for (const UpdateRow& r : rows)
    EXPECT_EQ(Update(r.Text, r.Section, r.Key, r.Value), r.Expect) << r.Text;
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
