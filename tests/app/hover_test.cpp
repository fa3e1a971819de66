// Hovering: answer previews in the box colours, related result labels, the change filter.
#include <algorithm>

#include "sheet_fixture.h"

namespace {

using Strings = std::vector<std::string>;

constexpr const char* Blue = "0000FF";     // attributes: the text "16711680"
constexpr const char* Green = "008000";    // skills: 32768
constexpr const char* Red = "FF0000";      // proficiencies: 255
constexpr const char* Magenta = "FF09F9";  // other values: 16321023

class HoverTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
    Start();
  }
  // Every bold name label of the boxes.
  Strings BoldRows() {
    TDump d = Dump();
    Strings out;
    for (const std::string& n : d.Order)
      if (n.find(".name.") != std::string::npos && d[n].Bold()) out.push_back(n);
    return out;
  }
};

TEST_F(HoverTest, AnswerPreviewHighlightsTheRowsItWouldChange) {
  Do("click q1.1");
  Do("hover q2.1");  // noble, male list
  TDump d = Dump();
  EXPECT_TRUE(d["q2.1"].Bold());
  EXPECT_EQ(BoldRows(),
            (Strings{"profic.name.0", "attrib.name.0", "attrib.name.3", "skills.name.7",
                     "skills.name.22", "other.name.1", "other.name.2", "other.name.3"}));
  EXPECT_EQ(d["attrib.name.0"].Color(), Blue);
  EXPECT_EQ(d["skills.name.22"].Color(), Green);
  EXPECT_EQ(d["profic.name.0"].Color(), Red);
  EXPECT_EQ(d["other.name.2"].Color(), Magenta);
  // A preview changes no value.
  EXPECT_EQ(Text("attrib.value.1"), "5");
}

// What assistive technology hears of an answer names the rows its preview marks, for either
// gender's lists: "Strength +1, Gold -5".
TEST_F(HoverTest, AnAnswersDescriptionNamesTheRowsItsPreviewMarks) {
  int described = 0;
  for (const char* gender : {"click q1.1", "click q1.2"}) {
    Do(gender);
    for (const auto& [name, c] : Sheet->Names()) {
      if (c->Kind() != TControlKind::RadioButton) continue;
      Do("hover " + name);
      TDump d = Dump();
      Strings marked, said;
      for (const std::string& row : BoldRows())
        marked.push_back(d[row].Text);
      std::string text = c->Access().Description;
      for (size_t at = 0; at < text.size();) {
        size_t end = std::min(text.find(", ", at), text.size());
        std::string part = text.substr(at, end - at);
        said.push_back(part.substr(0, part.rfind(' ')));
        at = end + 2;
      }
      std::sort(marked.begin(), marked.end());
      std::sort(said.begin(), said.end());
      EXPECT_EQ(said, marked) << name << ": " << text;
      described += !said.empty();
    }
  }
  EXPECT_GT(described, 40);
  Do("click q1.1");
  EXPECT_EQ(Sheet->Find("q5.4")->Access().Description,
            "ca_intelligence +1, skl_prisoner_management +1, oth_honor -1, oth_gold +200");
}

TEST_F(HoverTest, PreviewOfSeveralCodes) {
  Do("hover q5.4");  // intelligence, prisoner management, honour, gold
  EXPECT_EQ(BoldRows(),
            (Strings{"attrib.name.2", "skills.name.21", "other.name.1", "other.name.3"}));
  Do("hover q3.5");  // strength, power draw, horse archery, archery
  EXPECT_EQ(BoldRows(),
            (Strings{"profic.name.3", "attrib.name.0", "skills.name.3", "skills.name.8"}));
  TDump d = Dump();
  EXPECT_FALSE(d["q5.4"].Bold());
  EXPECT_TRUE(d["q3.5"].Bold());
}

TEST_F(HoverTest, WithoutGenderTheFatherPreviewsNothing) {
  Do("hover q2.1");
  EXPECT_TRUE(BoldRows().empty());
  EXPECT_TRUE(Dump()["q2.1"].Bold());
  Do("click q1.2");
  Do("hover q2.3");  // veteran, female list
  EXPECT_EQ(BoldRows(), (Strings{"profic.name.2", "attrib.name.0", "attrib.name.1",
                                 "skills.name.16", "skills.name.18", "other.name.1"}));
}

TEST_F(HoverTest, TheBareFormClearsEveryHighlight) {
  Do("click q1.1");
  Do("hover q4.1");
  EXPECT_FALSE(BoldRows().empty());
  Do("hover form");
  EXPECT_TRUE(BoldRows().empty());
  EXPECT_TRUE(Dump().BoldNames("q").empty());
}

TEST_F(HoverTest, UnhighlightOnlyWhenTheHoveredAnswerChanges) {
  auto& s = *Sheet->Scheme();
  Strings log;
  std::vector<std::unique_ptr<TSpy>> spies;
  Spy(spies, &log, "boxes0", s.hoverHub->onEvent[0]);
  Spy(spies, &log, "questions0", s.hoverHub->onEvent[1]);
  for (uint16_t k = 2; k <= 5; ++k)
    Spy(spies, &log, "box" + std::to_string(k), s.reportSwitch->onEvent[k]);
  Do("hover q3.1");  // page: charisma, riding, leadership, one-handed
  EXPECT_EQ(log, (Strings{"boxes0", "questions0", "box2", "box3", "box3", "box4"}));
  log.clear();
  Do("hover q3.1");
  EXPECT_EQ(log, (Strings{"box2", "box3", "box3", "box4"}));
  log.clear();
  Do("hover form");
  Do("hover q3.1");
  EXPECT_EQ(log, (Strings{"boxes0", "questions0", "boxes0", "questions0", "box2", "box3", "box3",
                          "box4"}));
}

TEST_F(HoverTest, ReportComesFirstThenBoldThenPreview) {
  auto& s = *Sheet->Scheme();
  Strings log;
  std::vector<std::unique_ptr<TSpy>> spies;
  TControl* male = Sheet->Find("q1.1");
  auto bold = [male] { return std::string((male->Font().Style & fsBold) ? "bold" : "regular"); };
  Spy(spies, &log, "unhighlight", s.hoverHub->onEvent[1])->Note = bold;
  Spy(spies, &log, "preview", s.reportSwitch->onEvent[2])->Note = bold;
  Do("hover q1.1");
  // Strength and charisma: the caption turned bold between the report and the preview.
  EXPECT_EQ(log, (Strings{"unhighlight:regular", "preview:bold", "preview:bold"}));
  EXPECT_TRUE(Dump()["q1.1"].Bold());
}

TEST_F(HoverTest, AttributeRowsHighlightTheirSkillsAndDerivedRows) {
  Do("hover attrib.name.0");  // strength: four skills, hit points
  EXPECT_EQ(BoldRows(), (Strings{"attrib.name.0", "skills.name.0", "skills.name.1", "skills.name.2",
                                 "skills.name.3", "other.name.0"}));
  TDump d = Dump();
  EXPECT_EQ(d["attrib.name.0"].Color(), Blue);
  EXPECT_EQ(d["skills.name.2"].Color(), Green);
  EXPECT_EQ(d["other.name.0"].Color(), Magenta);

  Do("hover attrib.name.2");  // intelligence: eleven skills and the skill points
  Strings expect{"attrib.name.2"};
  for (int i = 10; i <= 20; ++i)
    expect.push_back("skills.name." + std::to_string(i));
  expect.push_back("skills.name.24");
  EXPECT_EQ(BoldRows(), expect);

  Do("hover attrib.name.3");  // charisma
  EXPECT_EQ(BoldRows(),
            (Strings{"attrib.name.3", "skills.name.21", "skills.name.22", "skills.name.23"}));

  Do("hover attrib.name.1");  // agility: the weapon points
  EXPECT_EQ(BoldRows()[0], "profic.name.6");
}

TEST_F(HoverTest, SkillRowsHighlightTheirAttribute) {
  Do("hover skills.name.0");  // ironflesh: strength and hit points
  EXPECT_EQ(BoldRows(), (Strings{"attrib.name.0", "skills.name.0", "other.name.0"}));
  Do("hover skills.name.17");  // surgery: intelligence
  EXPECT_EQ(BoldRows(), (Strings{"attrib.name.2", "skills.name.17"}));
  EXPECT_EQ(Dump()["attrib.name.2"].Color(), Blue);
}

TEST_F(HoverTest, PointsRowsHighlightOnlyThemselves) {
  Do("hover attrib.name.4");
  EXPECT_EQ(BoldRows(), (Strings{"attrib.name.4"}));
  Do("hover skills.name.24");
  EXPECT_EQ(BoldRows(), (Strings{"skills.name.24"}));
  Do("hover profic.name.6");
  EXPECT_EQ(BoldRows(), (Strings{"profic.name.6"}));
}

TEST_F(HoverTest, ValueLabelsAndFramesReportNothing) {
  Do("hover attrib.value.1");
  Do("hover skills");
  Do("hover q2");
  EXPECT_TRUE(BoldRows().empty());
  EXPECT_TRUE(Dump().BoldNames("q").empty());
}

TEST_F(HoverTest, CommandLabelsTakeTheirHoverColour) {
  Do("hover clear");
  TDump d = Dump();
  EXPECT_EQ(d["clear"].Color(), "008000");
  EXPECT_EQ(d["settings"].Color(), "000000");
  Do("hover settings");
  d = Dump();
  EXPECT_EQ(d["clear"].Color(), "000000");
  EXPECT_EQ(d["settings"].Color(), "008000");
}

// A command label that disappears under the mouse gets its leave: its hover colour must not
// survive until the panel shows again.
TEST_F(HoverTest, ALabelHiddenUnderTheMouseDropsItsHoverColour) {
  struct Step {
    const char* command;
    const char* back;  // colour of the panel's "Back" label afterwards
  };
  const Step steps[] = {
      {"click settings", "000000"}, {"hover panel.exit", "008000"}, {"click panel.exit", "000000"},
      {"hover q1.1", "000000"},     {"hover form", "000000"},       {"click settings", "000000"},
  };
  for (const Step& s : steps) {
    Do(s.command);
    EXPECT_EQ(Dump()["panel.exit"].Color(), s.back) << "after " << s.command;
  }
  EXPECT_TRUE(Dump()["panel.exit"].Visible());
}

}  // namespace
