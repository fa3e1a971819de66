// Start-up: construction, the data load and the reset of every question, captions and placement.
#include <algorithm>

#include "sheet_fixture.h"
#include "ui/backends/headless/simulator.h"

namespace {

using Strings = std::vector<std::string>;

class StartupTest : public SheetTest {};

TEST_F(StartupTest, SampleDataGivesTheUnansweredTotals) {
  CopySampleData();
  Start();
  // Answer 0 of question 1 is applied with gender 0: the base values; skill points follow
  // intelligence, hit points add strength.
  EXPECT_EQ(Values("attrib", 5), (Strings{"2", "4", "4", "4", "4"}));
  EXPECT_EQ(Values("profic", 7), (Strings{"10", "15", "10", "10", "10", "10", "10"}));
  EXPECT_EQ(Text("skills.value.0"), "4");
  for (int i = 1; i < 25; ++i)
    EXPECT_EQ(Text("skills.value." + std::to_string(i)), "0") << i;
  EXPECT_EQ(Text("other.value.1"), "39");
  EXPECT_EQ(Text("other.value.2"), "0");
}

TEST_F(StartupTest, EveryQuestionStartsUnansweredWithRegularCaptions) {
  CopySampleData();
  Start();
  TDump d = Dump();
  int counts[5] = {3, 7, 6, 7, 6};
  for (int q = 1; q <= 5; ++q) {
    for (int k = 0; k < counts[q - 1]; ++k) {
      std::string n = "q" + std::to_string(q) + "." + std::to_string(k);
      EXPECT_EQ(d[n].Checked(), k == 0) << n;
    }
    EXPECT_EQ(d["q" + std::to_string(q) + "." + std::to_string(counts[q - 1])].Text, "<missing>");
  }
  EXPECT_TRUE(d.BoldNames("q").empty());
  EXPECT_TRUE(d.BoldNames("attrib.").empty());
  EXPECT_TRUE(d.BoldNames("skills.").empty());
  EXPECT_FALSE(d["panel"].Visible());
  EXPECT_FALSE(d["panel.note"].Visible());
  EXPECT_TRUE(d["form"].Visible());
  EXPECT_EQ(d["form"].Text, "Quorvant");
  EXPECT_EQ(d["profic.warning"].Text, "(!!!)");
  EXPECT_TRUE(d["profic.warning"].Bold());
}

TEST_F(StartupTest, WindowsAreBuiltInTheMakeOrder) {
  CopySampleData();
  Start();
  TDump d = Dump();
  Strings frames;
  for (const std::string& n : d.Order)
    if (n.find('.') == std::string::npos) frames.push_back(n);
  EXPECT_EQ(frames, (Strings{"form", "clear", "settings", "panel", "profic", "attrib", "skills",
                             "other", "q1", "q2", "q3", "q4", "q5"}));
  // Rows of a box: name, then its value label; the points row last.
  EXPECT_EQ(d.Order[static_cast<size_t>(std::find(d.Order.begin(), d.Order.end(), "attrib") -
                                        d.Order.begin() + 9)],
            "attrib.name.4");
}

TEST_F(StartupTest, WithoutLanguageCaptionsShowTheirKeys) {
  CopySampleData();
  Start();
  EXPECT_EQ(Text("clear"), "btn_clear");
  EXPECT_EQ(Text("settings"), "btn_settings");
  EXPECT_EQ(Text("q1"), "ch1_caption");
  EXPECT_EQ(Text("q1.0"), "ch_unknown");
  EXPECT_EQ(Text("q2.6"), "ch2_thief");
  EXPECT_EQ(Text("skills.name.21"), "skl_prisoner_management");
  EXPECT_EQ(Text("other"), "oth_caption");
  EXPECT_EQ(Text("panel.exit"), "btn_exit");
  EXPECT_EQ(Text("panel.note"), "btn_msg_restart");
}

TEST_F(StartupTest, TheChosenLanguageTranslatesCaptionsAtBuild) {
  CopySampleData();
  WriteProgram("config.ini", "[main]\r\nlanguage=xx\r\n");
  WriteProgram("xx.lng", "btn_clear|Clear\r\nch1_caption|Gender\r\nbtn_exit|Back|to list\r\n");
  Start();
  EXPECT_EQ(Text("clear"), "Clear");
  EXPECT_EQ(Text("q1"), "Gender");
  EXPECT_EQ(Text("panel.exit"), "Back|to list");
  EXPECT_EQ(Text("settings"), "btn_settings");
  // Value labels and the title are never translated.
  EXPECT_EQ(Text("form"), "Quorvant");
}

TEST_F(StartupTest, LanguageNamesCompareWithLetterCase) {
  CopySampleData();
  WriteProgram("config.ini", "[main]\r\nlanguage=XX\r\n");
  WriteProgram("xx.lng", "btn_clear|Clear\r\n");
  Start();
  EXPECT_EQ(Text("clear"), "btn_clear");
}

TEST_F(StartupTest, PlacementComesFromConfigAtFirstShow) {
  CopySampleData();
  WriteProgram("config.ini", "[main]\r\nLeft=40\r\nTop=30\r\nWidth=600\r\nHeight=480\r\n");
  Start();
  TControl* f = Sheet->Find("form");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Left(), 40);
  EXPECT_EQ(f->Top(), 30);
  EXPECT_EQ(f->Width(), 600);
  EXPECT_EQ(f->Height(), 480);
}

TEST_F(StartupTest, WithoutConfigTheFormKeepsItsBuiltInPlace) {
  CopySampleData();
  Start();
  TControl* f = Sheet->Find("form");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Left(), 0);
  EXPECT_EQ(f->Top(), 0);
  EXPECT_EQ(f->Width(), 555);
  EXPECT_EQ(f->Height(), 445);
}

TEST_F(StartupTest, ClosingSavesThePlacementAndEndsTheRunner) {
  CopySampleData();
  WriteProgram("config.ini", "[main]\r\nlanguage=xx\r\nLeft=12\r\n");
  Start();
  bool more = true;
  EXPECT_EQ(Sheet->Execute("close", &more), "");
  EXPECT_FALSE(more);
  EXPECT_TRUE(Sheet->Closed());
  std::string ini = ReadProgram("config.ini");
  EXPECT_NE(ini.find("language=xx"), std::string::npos);
  EXPECT_NE(ini.find("Left=12"), std::string::npos);
  EXPECT_NE(ini.find("Width=555"), std::string::npos);
  EXPECT_NE(ini.find("Height=445"), std::string::npos);
  EXPECT_EQ(Sheet->Execute("dump").rfind("error:", 0), 0u);
}

TEST_F(StartupTest, UnknownNamesAndCommandsAnswerAnErrorLine) {
  CopySampleData();
  Start();
  EXPECT_EQ(Do("hover q9.1"), "error: unknown name q9.1\n");
  EXPECT_EQ(Do("click attrib.value.7"), "error: unknown name attrib.value.7\n");
  EXPECT_EQ(Do("jump q1"), "error: unknown command jump\n");
  EXPECT_EQ(Do("pick q1 x").rfind("error:", 0), 0u);
  EXPECT_EQ(Do("pick panel.language nothing").rfind("error:", 0), 0u);
  EXPECT_EQ(Do(""), "");
  // Still running.
  EXPECT_EQ(Dump()["q1.0"].Checked(), true);
}

}  // namespace

namespace {

// Every window of the sheet, depth first.
void Collect(TControl* c, std::vector<TControl*>& out) {
  out.push_back(c);
  for (TControl* k : c->Children())
    Collect(k, out);
}

TEST_F(StartupTest, OnlyTheWarningLabelHasATip) {
  CopySampleData();
  Start();
  TControl* warning = Sheet->Find("profic.warning");
  ASSERT_NE(warning, nullptr);
  TControl* tip = warning->ToolTipIfAny();
  ASSERT_NE(tip, nullptr);
  const TToolTipInfo& info = tip->TipInfo();
  EXPECT_EQ(info.Title, "Ахтунг");
  EXPECT_EQ(info.Icon, 2);
  EXPECT_FALSE(info.Balloon);  // rectangular
  EXPECT_EQ(info.InitialDelay, 500);
  EXPECT_EQ(info.AutoPopDelay, 10000);
  EXPECT_EQ(info.Font.Name, "Tahoma");
  EXPECT_EQ(info.Text.rfind("так как формула расчета\r\n", 0), 0u);
  EXPECT_EQ(std::count(info.Text.begin(), info.Text.end(), '\n'), 5);

  std::vector<TControl*> all;
  Collect(Sheet->Find("form"), all);
  int tips = 0;
  for (TControl* c : all)
    if (c->ToolTipIfAny()) ++tips;
  EXPECT_EQ(tips, 1);

  // Resting the mouse on the label shows it; the label turns red meanwhile.
  Do("hover profic.warning");
  Mouse->Hover();
  EXPECT_TRUE(tip->TipShown());
  EXPECT_EQ(Dump()["profic.warning"].Color(), "FF0000");
  Do("hover profic");
  EXPECT_FALSE(tip->TipShown());
  EXPECT_EQ(Dump()["profic.warning"].Color(), "000000");
}

}  // namespace
