// Commands sent straight into the question chain and the box chain: the cases the mouse cannot
// produce.
#include "runtime/globalvar.h"
#include "scheme/question_groups.h"
#include "scheme/result_boxes.h"
#include "sheet_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class GroupsTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
    Start();
  }
  // Fires a container's work point 0 with the chain of values.
  static void Send(THIMultiElement* c, std::initializer_list<TData> values) {
    TData chain;
    bool first = true;
    for (const TData& v : values) {
      if (first)
        chain = v;
      else
        AppendChain(chain, &v);
      first = false;
    }
    TData d = chain;
    FireEvent(build::ContainerWork(c, 0), d);
    FreeChain(chain);
  }
  TQuestionGroup* Group(THIMultiElement* c) {
    return dynamic_cast<TQuestionGroup*>(c->Boundary->Owner);
  }
  Strings BoldRows() {
    TDump d = Dump();
    Strings out;
    for (const std::string& n : d.Order)
      if (n.find(".name.") != std::string::npos && d[n].Bold()) out.push_back(n);
    return out;
  }
};

TEST_F(GroupsTest, UnknownCommandsArePassedOnUntouched) {
  auto& s = *Sheet->Scheme();
  Strings log;
  std::vector<std::unique_ptr<TSpy>> spies;
  Spy(spies, &log, "next", s.question1->onEvent[1])->WithValue = true;
  Spy(spies, &log, "report", s.question1->onEvent[0]);
  TDump before = Dump();
  int32_t lines = Group(s.question5)->Lines->ArrCount();
  Send(s.question1, {MakeInteger(9), MakeString("1 402 5")});  // question 5's line command: gold
  EXPECT_EQ(log, (Strings{"next=9"}));
  TDump after = Dump();
  for (const std::string& n : before.Order)
    EXPECT_EQ(before[n].Text, after[n].Text) << n;
  // Question 5 stored it: its answer 1 now adds the gold.
  EXPECT_EQ(Group(s.question5)->Lines->ArrCount(), lines + 1);
  Do("click q5.1");
  EXPECT_EQ(Text("other.value.2"), "5");
}

TEST_F(GroupsTest, ResetWithZeroUnchecksWithoutReport) {
  auto& s = *Sheet->Scheme();
  Strings log;
  std::vector<std::unique_ptr<TSpy>> spies;
  Spy(spies, &log, "commit", s.reportSwitch->onEvent[0]);
  Send(s.question1, {MakeInteger(1), MakeInteger(0)});
  EXPECT_TRUE(log.empty());
  TDump d = Dump();
  for (int q = 1; q <= 5; ++q)
    EXPECT_FALSE(d["q" + std::to_string(q) + ".0"].Checked()) << q;
  // An empty rest clicks answer 0 again, with a commit per question.
  Send(s.question1, {MakeInteger(1)});
  EXPECT_EQ(log.size(), 5u);
  EXPECT_TRUE(Dump()["q4.0"].Checked());
}

TEST_F(GroupsTest, QuestionOneAppliesTheGenderThenTheBase) {
  auto& s = *Sheet->Scheme();
  TQuestionGroup* g = Group(s.question1);
  Strings log;
  std::vector<std::unique_ptr<TSpy>> spies;
  Spy(spies, &log, "gender", g->Resend->onData)->WithValue = true;
  Spy(spies, &log, "base", g->SendZero->onData)->WithValue = true;
  Send(s.question1, {MakeInteger(2)});
  EXPECT_EQ(log, (Strings{"gender=0"}));  // unanswered: only "gender"
  log.clear();
  Do("click q1.2");
  EXPECT_EQ(log, (Strings{"gender=2", "base=0"}));
}

TEST_F(GroupsTest, QuestionsTwoAndFourPickTheirListOnReapplyOnly) {
  auto& s = *Sheet->Scheme();
  TQuestionGroup* g = Group(s.question2);
  EXPECT_EQ(g->ListBySex->Selected, -1);
  *GlobalVarEntry("gender") = MakeInteger(2);
  Do("hover q2.1");  // a hover does not choose the list
  EXPECT_EQ(g->ListBySex->Selected, -1);
  Send(s.question1, {MakeInteger(2)});
  EXPECT_EQ(g->ListBySex->Selected, 1);
  EXPECT_EQ(Group(s.question4)->ListBySex->Selected, 1);
  // Both lists were filled at start-up, each from its own block.
  EXPECT_GT(g->MaleLines->ArrCount(), 0);
  EXPECT_GT(g->FemaleLines->ArrCount(), 0);
  EXPECT_NE(g->MaleLines->ArrCount(), g->FemaleLines->ArrCount());
}

TEST_F(GroupsTest, BoxHighlightsIgnoreIndexesOutsideTheirNames) {
  auto& s = *Sheet->Scheme();
  Send(s.attributesBox, {MakeInteger(2), MakeInteger(5)});
  Send(s.attributesBox, {MakeInteger(2), MakeInteger(-1)});
  Send(s.attributesBox, {MakeInteger(4), MakeInteger(7)});
  EXPECT_TRUE(BoldRows().empty());
  Send(s.attributesBox, {MakeInteger(3), MakeInteger(24)});
  EXPECT_EQ(BoldRows(), (Strings{"skills.name.24"}));
  Send(s.attributesBox, {MakeInteger(2)});  // no index: name 0
  EXPECT_EQ(BoldRows(), (Strings{"attrib.name.0", "skills.name.24"}));
  Send(s.attributesBox, {MakeInteger(5), MakeInteger(3)});  // passed on to the last box
  EXPECT_EQ(BoldRows(), (Strings{"attrib.name.0", "skills.name.24", "other.name.3"}));
  Send(s.attributesBox, {MakeInteger(0)});
  EXPECT_TRUE(BoldRows().empty());
}

TEST_F(GroupsTest, RefreshWithoutATableKeepsTheLabels) {
  auto& s = *Sheet->Scheme();
  Strings before = Values("attrib", 5);
  SetNull(*GlobalVarEntry("attrib"));
  Send(s.attributesBox, {MakeInteger(1)});
  EXPECT_EQ(Values("attrib", 5), before);
  // The other boxes refresh as usual.
  *GlobalVarEntry("other") = TData{};
  Do("click q1.1");
  EXPECT_EQ(Text("other.value.1"), "40");
}

TEST_F(GroupsTest, HoverReportsRepeatOnEveryMove) {
  auto& s = *Sheet->Scheme();
  Strings log;
  std::vector<std::unique_ptr<TSpy>> spies;
  Spy(spies, &log, "hover", s.reportSwitch->onEvent[1])->WithValue = true;
  Do("hover q5.3");
  Do("hover q5.3");
  Do("hover q5.2");
  EXPECT_EQ(log, (Strings{"hover=3", "hover=3", "hover=2"}));
}

}  // namespace
