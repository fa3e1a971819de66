// The answer code both ways: what parses, what is refused as a whole, and that writing a parsed
// code gives back its canonical form.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "scheme/answer_code.h"

namespace {

struct TCodeCase {
  std::string Text;
  std::optional<TAnswers> Expected;
  const char* Written;  // the code written back from Expected
};

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i)
    out += s;
  return out;
}

TEST(AnswerCode, ParsesOnlyFiveShortNumbersAndWritesThemBack) {
  const TCodeCase cases[] = {
      {"1.3.2.5.4", TAnswers{1, 3, 2, 5, 4}, "1.3.2.5.4"},
      {"a=1.3.2.5.4", TAnswers{1, 3, 2, 5, 4}, "1.3.2.5.4"},
      {"#a=1.3.2.5.4", TAnswers{1, 3, 2, 5, 4}, "1.3.2.5.4"},
      {"https://example.org/herosheet.html#a=2.6.1.4.3", TAnswers{2, 6, 1, 4, 3}, "2.6.1.4.3"},
      {"herosheet.html?x=1#a=0.0.0.0.2", TAnswers{0, 0, 0, 0, 2}, "0.0.0.0.2"},
      {"a=0.0.0.0.0", TAnswers{0, 0, 0, 0, 0}, "0.0.0.0.0"},
      {"007.0.0.0.999", TAnswers{7, 0, 0, 0, 999}, "7.0.0.0.999"},
      {"9.9.9.9.9", TAnswers{9, 9, 9, 9, 9}, "9.9.9.9.9"},  // the sheet refuses it, not the code
      {"", std::nullopt, ""},
      {"#", std::nullopt, ""},
      {"a=", std::nullopt, ""},
      {"1.2.3.4", std::nullopt, ""},      // four answers
      {"1.2.3.4.5.6", std::nullopt, ""},  // six
      {"a=1.2.3.4.5.6", std::nullopt, ""},
      {"1.2.3.4.5.", std::nullopt, ""},  // trailing dot
      {".1.2.3.4.5", std::nullopt, ""},
      {"1..2", std::nullopt, ""},
      {"1..3.4.5", std::nullopt, ""},          // empty number
      {"1.2.3.4.1000", std::nullopt, ""},      // four digits
      {Repeat("9", 10240), std::nullopt, ""},  // 10 KB of digits
      {"1.2.3.4." + Repeat("0", 10240), std::nullopt, ""},
      {"-1.2.3.4.5", std::nullopt, ""},  // sign
      {"1.2.3.4.+5", std::nullopt, ""},
      {"a=1.2.3.4.5&b=2", std::nullopt, ""},  // anything after
      {"1.2.3.4.5\n", std::nullopt, ""},
      {" a=1.2.3.4.5", std::nullopt, ""},  // anything before
      {"x1.2.3.4.5", std::nullopt, ""},
      {"A=1.2.3.4.5", std::nullopt, ""},  // the key is lower case
      {"b=1.2.3.4.5", std::nullopt, ""},
      {"#1.2.3.4.5", std::nullopt, ""},  // "#" needs the key
      {"page#b=1#1.2.3.4.5", std::nullopt, ""},
      {"page#a=1.2.3.4.5#", std::nullopt, ""},  // the last "#" counts
      {"1,2,3,4,5", std::nullopt, ""},
      {"1.2.x.4.5", std::nullopt, ""},
      {"\xEF\xBC\x91.2.3.4.5", std::nullopt, ""},  // a full-width digit
      {"1.2.3.4.5\xC2\xA0", std::nullopt, ""},     // a no-break space
      {"\xD0\xB0=1.2.3.4.5", std::nullopt, ""},    // a Cyrillic key
  };
  for (const TCodeCase& c : cases) {
    std::optional<TAnswers> parsed = ParseAnswerCode(c.Text);
    EXPECT_EQ(parsed, c.Expected) << '"' << c.Text.substr(0, 40) << '"';
    if (parsed && c.Expected) {
      EXPECT_EQ(FormatAnswerCode(*parsed), c.Written);
      EXPECT_EQ(ParseAnswerCode(FormatAnswerCode(*parsed)), parsed);
    }
  }
}

TEST(AnswerCode, PastedTextGivesTheCodeItEndsWith) {
  const std::pair<std::string, std::optional<TAnswers>> cases[] = {
      {" 1.3.2.5.4\r\n", TAnswers{1, 3, 2, 5, 4}},
      {"Gender: Male\n\n1.3.0.0.0\nhttps://example.org/h.html#a=1.3.0.0.0\n",
       TAnswers{1, 3, 0, 0, 0}},
      {"1.1.1.1.1\nhttps://example.org/h.html#a=2.2.2.2.2\n\n", TAnswers{2, 2, 2, 2, 2}},
      {"1.1.1.1.1\nnot a code\n", TAnswers{1, 1, 1, 1, 1}},  // the last line that is one
      {"see 1.1.1.1.1", std::nullopt},
      {"\n\n", std::nullopt},
      {std::string(PastedTextMax, ' ') + "1.1.1.1.1", std::nullopt},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(FindAnswerCode(text), expected) << '"' << text.substr(0, 40) << '"';
}

}  // namespace
