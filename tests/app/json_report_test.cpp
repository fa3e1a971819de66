// The texts the checker builds for tools and tables: JSON strings from file bytes, and effect
// lists named from a language file or by code.
#include <gtest/gtest.h>

#include "app/check/answer_effects_table.h"
#include "app/check/json_report.h"

namespace {

TEST(CheckTexts, JsonStringsAreValidWhateverTheBytes) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"plain", "\"plain\""},
      {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
      {std::string_view("a\r\n\0b", 5), "\"a\\u000d\\u000a\\u0000b\""},
      {"\xD0\x9F\xD1\x80", "\"\xD0\x9F\xD1\x80\""},   // Cyrillic in UTF-8 stays
      {"\xCF\xF0\xE8", "\"\\ufffd\\ufffd\\ufffd\""},  // single-byte code page text does not
      {"\xC0\xAF", "\"\\ufffd\\ufffd\""},             // overlong
      {"\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},  // a surrogate
      {"\xE2\x82", "\"\\ufffd\\ufffd\""},             // cut short
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(JsonString(in), out) << in;
}

TEST(CheckTexts, EffectsAreNamedFromTheLanguageFileOrByCode) {
  const TTexts english = {{"ca_strength", "Strength"}, {"skl_riding", "Riding"}};
  const std::vector<TEffect> effects = {{101, 2}, {208, 1}, {404, -1}, {400, 3}};
  EXPECT_EQ(EffectsText(effects, &english), "+2 Strength, +1 Riding, -1 404, +3 400");
  EXPECT_EQ(EffectsText(effects, nullptr), "+2 101, +1 208, -1 404, +3 400");
  EXPECT_EQ(EffectsText({}, &english), "");
}

TEST(CheckTexts, TheReportListsFindingsAndAnswers) {
  TFindings findings;
  findings.Warn("choice.ini", 3, "a \"quoted\" name");
  findings.Fail("array.ini", 1, "missing");
  findings.Sort();
  TListTable list;
  list.List = AnswerListOfBlock(0);
  list.Answers.push_back({1, "tf_male", {{101, 2}}});
  const std::string json = JsonReport(findings, {list}, nullptr);
  EXPECT_NE(json.find("{\"file\":\"array.ini\",\"line\":1,\"severity\":\"error\",\"text\":"
                      "\"missing\"}"),
            std::string::npos)
      << json;
  EXPECT_LT(json.find("array.ini"), json.find("choice.ini")) << "sorted by file";
  EXPECT_NE(json.find("\"text\":\"a \\\"quoted\\\" name\""), std::string::npos) << json;
  EXPECT_NE(json.find("{\"answer\":1,\"key\":\"tf_male\",\"text\":\"tf_male\",\"effects\":[{"
                      "\"code\":101,\"name\":\"101\",\"amount\":2}]}"),
            std::string::npos)
      << json;
  EXPECT_EQ(findings.ExitStatus(), 2);
}

}  // namespace
