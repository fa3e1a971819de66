// Keyboard use of the whole sheet: Tab order, arrows within a question, Space and Enter, the
// preview of the focused answer, the settings panel.
#include "sheet_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class KeyboardTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
    Start();
  }
  // The names with focused=1 in a dump.
  Strings Focused() {
    TDump d = Dump();
    Strings out;
    for (const std::string& n : d.Order)
      if (d[n].Flag("focused") == "1") out.push_back(n);
    return out;
  }
  // Presses keys, one per entry, and records the focused name after each.
  Strings Walk(const Strings& keys) {
    Strings out;
    for (const std::string& k : keys) {
      EXPECT_EQ(Do("key " + k), "");
      Strings f = Focused();
      out.push_back(f.size() == 1 ? f[0] : "<" + std::to_string(f.size()) + " focused>");
    }
    return out;
  }
  // The commands the hover path sends, with the answer's boldness at the preview.
  void SpyOnHover(Strings& log, std::vector<std::unique_ptr<TSpy>>& spies, TControl* answer) {
    auto& s = *Sheet->Scheme();
    auto bold = [answer] { return std::string((answer->Font().Style & fsBold) ? "b" : "r"); };
    Spy(spies, &log, "boxes0", s.hoverHub->onEvent[0]);
    Spy(spies, &log, "questions0", s.hoverHub->onEvent[1]);
    for (uint16_t k = 2; k <= 5; ++k) {
      TSpy* p = Spy(spies, &log, "box" + std::to_string(k), s.reportSwitch->onEvent[k]);
      p->WithValue = true;
      p->Note = bold;
    }
  }
};

TEST_F(KeyboardTest, TabVisitsQuestionsThenCommandsAndWraps) {
  EXPECT_TRUE(Focused().empty());
  EXPECT_EQ(Walk({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab"}),
            (Strings{"q1.0", "q2.0", "q3.0", "q4.0", "q5.0", "clear", "settings", "q1.0"}));
  EXPECT_EQ(Walk({"Shift+Tab", "Shift+Tab", "Shift+Tab"}), (Strings{"settings", "clear", "q5.0"}));
}

TEST_F(KeyboardTest, TabLandsOnTheCheckedAnswerArrowsMoveAndWrap) {
  Do("click q2.3");
  Do("click q1.1");
  EXPECT_EQ(Walk({"Tab", "Tab"}), (Strings{"q1.1", "q2.3"}));
  // Down and Right forward, Up and Left back, wrapping within the question only.
  EXPECT_EQ(
      Walk({"Down", "Right", "Up", "Left", "Left", "Left", "Left", "Left", "Up", "Down"}),
      (Strings{"q2.4", "q2.5", "q2.4", "q2.3", "q2.2", "q2.1", "q2.0", "q2.6", "q2.5", "q2.6"}));
  // Moving changes no answer; Tab leaves the question from wherever the focus is.
  EXPECT_TRUE(Dump()["q2.3"].Checked());
  EXPECT_EQ(Walk({"Tab", "Shift+Tab"}), (Strings{"q3.0", "q2.3"}));
  // Arrows on a command label move nothing.
  EXPECT_EQ(Walk({"Tab", "Tab", "Tab", "Tab", "Down", "Up"}),
            (Strings{"q3.0", "q4.0", "q5.0", "clear", "clear", "clear"}));
}

TEST_F(KeyboardTest, SpaceAndEnterCommitAsAClickDoes) {
  // The same answers chosen by the mouse in a second sheet give the same commits and totals.
  auto run = [this](const Strings& lines, Strings& log) {
    Start();
    auto& s = *Sheet->Scheme();
    std::vector<std::unique_ptr<TSpy>> spies;
    Spy(spies, &log, "report", s.reportSwitch->onEvent[0])->WithValue = true;
    Spy(spies, &log, "reapply", s.commitHub->onEvent[1]);
    Spy(spies, &log, "refresh", s.commitHub->onEvent[2]);
    for (const std::string& l : lines)
      Do(l);
    TDump d = Dump();
    Sheet.reset();  // before the spies go
    return d;
  };
  for (std::string key : {"key Space", "key Enter"}) {
    SCOPED_TRACE(key);
    Strings byKeys, byMouse;
    TDump keys =
        run({"key Tab", "key Down", "key Down", key, "key Tab", "key Tab", "key Down", key, key},
            byKeys);
    TDump mouse = run({"click q1.2", "click q3.1", "click q3.1"}, byMouse);
    EXPECT_EQ(byKeys, byMouse);
    EXPECT_EQ(byKeys.size(), 9u);
    EXPECT_TRUE(keys["q1.2"].Checked());
    EXPECT_TRUE(keys["q3.1"].Checked());
    for (const std::string& n : mouse.Order) {
      if (n.find(".value.") != std::string::npos) {
        EXPECT_EQ(keys[n].Text, mouse[n].Text) << n;
      }
    }
  }
}

TEST_F(KeyboardTest, FocusPreviewsExactlyAsHovering) {
  Do("click q1.1");  // a gender, so that the father's answers have effects
  Strings log;
  std::vector<std::unique_ptr<TSpy>> spies;
  SpyOnHover(log, spies, Sheet->Find("q2.1"));
  // The mouse: from answer 0 of question 2 across the bare form onto answer 1.
  Do("hover q2.0");
  log.clear();
  Do("hover form");
  Do("hover q2.1");
  Strings byMouse = log;
  TDump mouse = Dump();
  Do("hover form");
  // The keyboard: Tab onto answer 0 of question 2, then Down.
  Walk({"Tab", "Tab"});
  ASSERT_EQ(Focused(), (Strings{"q2.0"}));
  log.clear();
  Walk({"Down"});
  TDump keys = Dump();
  ASSERT_GT(byMouse.size(), 4u);
  EXPECT_EQ(log, byMouse);
  for (const std::string& n : mouse.Order) {
    EXPECT_EQ(keys[n].Bold(), mouse[n].Bold()) << n;
    EXPECT_EQ(keys[n].Color(), mouse[n].Color()) << n;
  }
  Sheet.reset();  // before the spies go
}

TEST_F(KeyboardTest, LeavingAnAnswerClearsItsPreview) {
  Do("click q1.1");
  Walk({"Tab", "Tab", "Down"});
  EXPECT_TRUE(Dump()["q2.1"].Bold());
  EXPECT_FALSE(Dump().BoldNames("attrib.name").empty());
  // The next question's unanswered answer takes over: it has no effects of its own.
  Walk({"Tab"});
  TDump d = Dump();
  EXPECT_EQ(d.BoldNames("q"), (Strings{"q3.0"}));
  EXPECT_TRUE(d.BoldNames("attrib.name").empty());
  EXPECT_TRUE(d.BoldNames("skills.name").empty());
}

TEST_F(KeyboardTest, CommandLabelsShowFocusAndActOnSpaceOrEnter) {
  Do("click q1.2");
  Do("click q4.3");
  Walk({"Shift+Tab", "Shift+Tab"});
  ASSERT_EQ(Focused(), (Strings{"clear"}));
  // The focused label wears its hover look; the other does not.
  EXPECT_EQ(Dump()["clear"].Color(), "008000");
  EXPECT_EQ(Dump()["settings"].Color(), "000000");
  Do("key Enter");
  TDump d = Dump();
  EXPECT_TRUE(d["q1.0"].Checked());
  EXPECT_TRUE(d["q4.0"].Checked());
  Walk({"Tab"});
  d = Dump();
  EXPECT_EQ(d["clear"].Color(), "000000");
  EXPECT_EQ(d["settings"].Color(), "008000");
  // Escape is a key like the others: nothing moves, nothing opens.
  EXPECT_EQ(Walk({"Escape"}), (Strings{"settings"}));
  EXPECT_FALSE(Dump()["panel"].Visible());
  Do("key Space");
  EXPECT_TRUE(Dump()["panel"].Visible());
}

TEST_F(KeyboardTest, OpenPanelKeepsTabInsideAndArrowsPickALanguage) {
  WriteData("en.lng", "btn_exit|Back\r\n");
  WriteData("ru.lng", "btn_exit|Nazad\r\n");
  WriteProgram("config.ini", "[main]\r\nlanguage=en\r\n");
  Walk({"Shift+Tab"});
  Do("key Enter");
  ASSERT_TRUE(Dump()["panel"].Visible());
  // Only the panel's controls are reachable while it covers the form.
  EXPECT_EQ(Walk({"Tab", "Tab", "Tab", "Shift+Tab"}),
            (Strings{"panel.language", "panel.exit", "panel.language", "panel.exit"}));
  Walk({"Shift+Tab"});
  TDump d = Dump();
  ASSERT_EQ(d["panel.language"].Flag("selected"), "en");
  // The listing order is the platform's: step towards "ru", whichever side it is on.
  std::string toRu = d["panel.language"].Flag("items") == "en|ru" ? "key Down" : "key Up";
  // A step through the list is a pick: saved at once, the note shows.
  Do(toRu);
  d = Dump();
  EXPECT_EQ(d["panel.language"].Flag("selected"), "ru");
  EXPECT_TRUE(d["panel.note"].Visible());
  EXPECT_NE(ReadProgram("config.ini").find("language=ru"), std::string::npos);
  // Past the end nothing is picked again.
  Do(toRu);
  EXPECT_EQ(Dump()["panel.language"].Flag("selected"), "ru");
  // The exit label closes the panel; the questions are reachable again.
  Walk({"Tab"});
  Do("key Space");
  EXPECT_FALSE(Dump()["panel"].Visible());
  EXPECT_EQ(Walk({"Tab"}), (Strings{"q1.0"}));
}

TEST_F(KeyboardTest, UnknownKeysAreRefusedAndChangeNothing) {
  for (const char* line : {"key", "key tab", "key F1", "key Shift+Space", "key Tab Tab"}) {
    SCOPED_TRACE(line);
    std::string out = Do(line);
    EXPECT_EQ(out.rfind("error: unknown key", 0), 0u) << out;
  }
  EXPECT_TRUE(Focused().empty());
}

}  // namespace
