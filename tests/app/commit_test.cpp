// Commits: the road of one click, every question, the gender-dependent lists, clear.
#include "sheet_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class CommitTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
    Start();
  }
  std::string Skill(int item) { return Text("skills.value." + std::to_string(item)); }
};

TEST_F(CommitTest, OneClickRunsTheWholeRoad) {
  Do("click q3.2");  // apprentice: intelligence, engineer, trainer, two-handed
  TDump d = Dump();
  EXPECT_TRUE(d["q3.2"].Checked());
  EXPECT_FALSE(d["q3.0"].Checked());
  EXPECT_EQ(Values("attrib", 5), (Strings{"2", "4", "4", "5", "4"}));
  EXPECT_EQ(Skill(0), "5");  // skill points follow intelligence
  EXPECT_EQ(Skill(20), "1");
  EXPECT_EQ(Skill(11), "1");
  EXPECT_EQ(Text("profic.value.2"), "15");
  EXPECT_EQ(Text("other.value.1"), "39");
}

TEST_F(CommitTest, ACommitResetsReappliesDerivesThenRefreshes) {
  auto& s = *Sheet->Scheme();
  std::vector<std::string> log;
  std::vector<std::unique_ptr<TSpy>> spies;
  // The mouse is on the answer first: its hover commands pass the chain as well.
  Do("hover q4.1");
  Spy(spies, &log, "tables", s.commitHub->onEvent[0]);
  Spy(spies, &log, "questions", s.commitHub->onEvent[1]);
  Spy(spies, &log, "derive", s.question5->onEvent[1]);
  Spy(spies, &log, "boxes", s.commitHub->onEvent[2]);
  Do("click q4.1");
  EXPECT_EQ(log, (Strings{"tables", "questions", "derive", "boxes"}));
}

TEST_F(CommitTest, EachQuestionAddsItsAnswer) {
  Do("click q1.1");  // male: strength, charisma, gold, plus the base
  EXPECT_EQ(Values("attrib", 5), (Strings{"2", "5", "4", "4", "5"}));
  EXPECT_EQ(Text("other.value.1"), "40");
  EXPECT_EQ(Text("other.value.2"), "10");
  Do("click q2.1");  // noble
  EXPECT_EQ(Text("attrib.value.1"), "6");
  EXPECT_EQ(Skill(23), "1");
  EXPECT_EQ(Text("other.value.3"), "50");
  EXPECT_EQ(Text("other.value.4"), "1");
  EXPECT_EQ(Text("profic.value.1"), "30");
  Do("click q3.5");  // steppe child
  EXPECT_EQ(Text("attrib.value.1"), "7");
  EXPECT_EQ(Skill(4), "1");
  EXPECT_EQ(Text("profic.value.4"), "20");
  Do("click q4.6");  // poacher
  EXPECT_EQ(Text("attrib.value.2"), "5");
  EXPECT_EQ(Skill(12), "1");
  EXPECT_EQ(Text("profic.value.4"), "45");
  Do("click q5.4");  // disowned: honour goes negative with its sign
  EXPECT_EQ(Text("other.value.4"), "0");
  EXPECT_EQ(Skill(22), "1");
  EXPECT_EQ(Text("other.value.2"), "310");
  Do("click q2.0");  // back to no father: the noble's honour point goes
  EXPECT_EQ(Text("other.value.4"), "-1");
  EXPECT_EQ(Text("attrib.value.1"), "6");
}

TEST_F(CommitTest, QuestionsTwoAndFourFollowTheGender) {
  Do("click q1.1");
  Do("click q2.3");  // veteran, male list: ironflesh, polearms 20
  Do("click q4.3");  // student, male list: surgery, crossbows 15
  EXPECT_EQ(Skill(1), "1");
  EXPECT_EQ(Skill(18), "1");
  EXPECT_EQ(Skill(19), "0");
  EXPECT_EQ(Text("profic.value.3"), "30");
  EXPECT_EQ(Text("profic.value.5"), "25");
  EXPECT_EQ(Text("other.value.1"), "43");  // 35 + strength 6 + 2 x ironflesh

  Do("click q1.2");  // the same answers from the female lists
  EXPECT_EQ(Skill(1), "0");
  EXPECT_EQ(Skill(17), "2");  // wound treatment from both
  EXPECT_EQ(Skill(19), "2");  // first aid from both
  EXPECT_EQ(Skill(18), "0");
  EXPECT_EQ(Text("profic.value.3"), "25");
  EXPECT_EQ(Text("profic.value.5"), "10");
}

TEST_F(CommitTest, WithoutGenderQuestionsTwoAndFourAddNothing) {
  Strings before = Values("attrib", 5);
  Do("click q2.3");
  EXPECT_TRUE(Dump()["q2.3"].Checked());
  EXPECT_EQ(Values("attrib", 5), before);
  EXPECT_EQ(Text("profic.value.3"), "10");
  Do("click q1.1");  // now the remembered answer counts
  EXPECT_EQ(Text("profic.value.3"), "30");
}

TEST_F(CommitTest, ClickingTheCheckedAnswerAgainChangesNothing) {
  Do("click q1.2");
  Do("click q3.4");
  TDump before = Dump();
  Do("click q3.4");
  TDump after = Dump();
  for (const std::string& n : before.Order)
    EXPECT_EQ(before[n].Text, after[n].Text) << n;
}

TEST_F(CommitTest, ClearReturnsEveryQuestionToItsStart) {
  TDump start = Dump();
  Do("click q1.1");
  Do("click q2.2");
  Do("click q3.1");
  Do("click q4.4");
  Do("click q5.5");
  EXPECT_NE(Text("other.value.2"), start["other.value.2"].Text);
  Do("click clear");
  TDump d = Dump();
  for (const std::string& n : start.Order) {
    if (n.find(".value.") != std::string::npos) {
      EXPECT_EQ(d[n].Text, start[n].Text) << n;
    }
    if (n.size() > 3 && n[0] == 'q' && n[2] == '.') {
      EXPECT_EQ(d[n].Checked(), start[n].Checked()) << n;
    }
  }
}

TEST_F(CommitTest, ClearSendsTheStartUpReset) {
  auto& s = *Sheet->Scheme();
  std::vector<std::string> log;
  std::vector<std::unique_ptr<TSpy>> spies;
  Spy(spies, &log, "commit", s.reportSwitch->onEvent[0]);
  Do("click q3.3");
  log.clear();
  Do("click clear");
  // Every question clicks its answer 0: five commits.
  EXPECT_EQ(log.size(), 5u);
}

}  // namespace
