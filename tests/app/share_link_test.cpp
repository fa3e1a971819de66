// Shareable answers: the fragment of the answers, and opening a link on the sheet commits
// the answers through clicks (the totals equal those of clicking by hand).
#include <optional>

#include "app/share_link.h"
#include "sheet_fixture.h"

namespace {

TEST(ShareLinkSyntax, TheFragmentIsTheCodeOfAnAnsweredSheet) {
  const std::pair<TAnswers, const char*> cases[] = {
      {{1, 3, 2, 5, 4}, "a=1.3.2.5.4"},
      {{0, 0, 0, 0, 0}, ""},  // an unanswered sheet has no fragment
      {{0, 0, 0, 0, 2}, "a=0.0.0.0.2"},
      {{2, 6, 0, 1, 0}, "a=2.6.0.1.0"},
  };
  for (const auto& [answers, fragment] : cases) {
    EXPECT_EQ(AnswerFragment(answers), fragment);
    if (*fragment) {
      EXPECT_EQ(ParseAnswerCode(fragment), answers);
      EXPECT_EQ(ParseAnswerCode(std::string("#") + fragment), answers);
    }
  }
}

class ShareLinkTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
    Start();
  }
  // Every value label of the four boxes, in dump order.
  std::vector<std::string> Totals() {
    std::vector<std::string> out;
    TDump d = Dump();
    for (const std::string& n : d.Order)
      if (n.find(".value.") != std::string::npos) out.push_back(n + "=" + d[n].Text);
    return out;
  }
};

TEST_F(ShareLinkTest, OpeningALinkGivesTheTotalsOfClickingByHand) {
  for (TAnswers a : {TAnswers{1, 3, 2, 5, 4}, TAnswers{2, 6, 1, 4, 3}, TAnswers{0, 2, 0, 0, 5}}) {
    Do("click clear");
    for (int q = 0; q < 5; ++q)
      if (a[q]) Do("click q" + std::to_string(q + 1) + "." + std::to_string(a[q]));
    std::vector<std::string> byHand = Totals();
    ASSERT_EQ(CheckedAnswers(*Sheet->Sheet()), a);

    Do("click clear");
    ASSERT_EQ(CheckedAnswers(*Sheet->Sheet()), (TAnswers{0, 0, 0, 0, 0}));
    EXPECT_TRUE(OpenAnswers(*Sheet->Sheet(), Sheet->Input(), a));
    EXPECT_EQ(CheckedAnswers(*Sheet->Sheet()), a);
    EXPECT_EQ(Totals(), byHand);
  }
}

TEST_F(ShareLinkTest, AnOutOfRangeAnswerLeavesTheSheetUnanswered) {
  std::vector<std::string> unanswered = Totals();
  // Question 1 has three answers, question 3 six: a later bad answer undoes the earlier ones.
  for (TAnswers a : {TAnswers{3, 0, 0, 0, 0}, TAnswers{1, 2, 6, 0, 0}, TAnswers{2, 1, 1, 1, 999},
                     TAnswers{9, 9, 9, 9, 9}}) {
    EXPECT_FALSE(OpenAnswers(*Sheet->Sheet(), Sheet->Input(), a));
    EXPECT_EQ(CheckedAnswers(*Sheet->Sheet()), (TAnswers{0, 0, 0, 0, 0}));
    EXPECT_EQ(Totals(), unanswered);
  }
}

TEST_F(ShareLinkTest, CheckedAnswersFollowEveryCommit) {
  Do("click q2.4");
  EXPECT_EQ(AnswerFragment(CheckedAnswers(*Sheet->Sheet())), "a=0.4.0.0.0");
  Do("click q1.2");
  Do("click q5.1");
  EXPECT_EQ(AnswerFragment(CheckedAnswers(*Sheet->Sheet())), "a=2.4.0.0.1");
  Do("click clear");
  EXPECT_EQ(AnswerFragment(CheckedAnswers(*Sheet->Sheet())), "");
}

}  // namespace
