// The choice loader: file format, block numbering, line commands, missing and malformed files.
#include "fixture.h"

namespace {

class ChoiceLoaderTest : public FolderTest {
 protected:
  // Runs a bare loader and returns its line commands as (command, line).
  std::vector<std::pair<int32_t, std::string>> Commands() {
    TScheme host;
    auto* loader = build::Container(host, nullptr, 1, 0);
    auto* rec = host.Add<TRecorder>();
    loader->onEvent[0] = rec->Link();
    loader->SetMake(&MakeSubScheme<TChoiceLoader>);
    Work(loader, 0);
    std::vector<std::pair<int32_t, std::string>> out;
    for (const auto& call : rec->Calls) {
      EXPECT_EQ(call.size(), 2u);
      out.emplace_back(ToInteger(call[0]), call.size() > 1 ? ToString(call[1]) : "");
    }
    return out;
  }

  std::vector<std::string> LoadList(int list) {
    TTestSheet sheet;
    sheet.Load();
    return sheet.Lines(list);
  }

  void WriteCodes() { Write("array.ini", CrLf({"strength=101", "agility=102", "trade=224"})); }
};

using Cmds = std::vector<std::pair<int32_t, std::string>>;
using Strings = std::vector<std::string>;

TEST_F(ChoiceLoaderTest, GenderExampleGivesTwoStoredLines) {
  WriteCodes();
  Write("choice.ini", CrLf({"-- choice gender", "1 strength=1", "2 agility=1", "-- end"}));
  EXPECT_EQ(Commands(), (Cmds{{3, "1 101 1"}, {3, "2 102 1"}}));
}

TEST_F(ChoiceLoaderTest, SevenBlocksFeedCommandsThreeToNineInOrder) {
  WriteCodes();
  std::string text;
  for (int b = 0; b < 7; ++b)
    text += CrLf({"-- choice " + std::to_string(b),
                  std::to_string(b) + " strength=" + std::to_string(10 + b), "-- end"});
  Write("choice.ini", text);
  Cmds expected;
  for (int b = 0; b < 7; ++b)
    expected.emplace_back(3 + b, std::to_string(b) + " 101 " + std::to_string(10 + b));
  EXPECT_EQ(Commands(), expected);
}

TEST_F(ChoiceLoaderTest, EighthBlockFeedsQuestionOneAgain) {
  WriteCodes();
  std::string text;
  for (int b = 0; b < 8; ++b)
    text += CrLf({"-- choice", "1 strength=" + std::to_string(b), "-- end"});
  Write("choice.ini", text);
  EXPECT_EQ(LoadList(0), (Strings{"1 101 0", "1 101 7"}));
}

TEST_F(ChoiceLoaderTest, EndLineWithoutHeaderStillCountsAsABlock) {
  WriteCodes();
  Write("choice.ini", CrLf({"-- end", "-- choice", "1 strength=1", "-- end"}));
  EXPECT_EQ(Commands(), (Cmds{{4, "1 101 1"}}));
}

TEST_F(ChoiceLoaderTest, SixEndLinesLeaveQuestionFiveEmpty) {
  WriteCodes();
  std::string text;
  for (int b = 0; b < 6; ++b)
    text += CrLf({"-- choice", "1 strength=1", "-- end"});
  text += CrLf({"-- choice", "1 strength=1"});  // never closed
  Write("choice.ini", text);
  TTestSheet sheet;
  sheet.Load();
  for (int l = 0; l < 6; ++l)
    EXPECT_EQ(sheet.Lines(l).size(), 1u) << l;
  EXPECT_TRUE(sheet.Lines(6).empty());
}

TEST_F(ChoiceLoaderTest, TextOutsideBlocksIsIgnored) {
  WriteCodes();
  Write("choice.ini", CrLf({"1 strength=9", "-- choice a", "1 strength=1", "-- end", "2 strength=9",
                            "-- choice b", "2 agility=2", "-- end", "3 strength=9"}));
  EXPECT_EQ(Commands(), (Cmds{{3, "1 101 1"}, {4, "2 102 2"}}));
}

TEST_F(ChoiceLoaderTest, HeaderCountsOnlyAtTheStartOfItsLine) {
  WriteCodes();
  // An indented header opens nothing; its lines are not collected but the end line still counts.
  Write("choice.ini",
        CrLf({" -- choice", "1 strength=1", "-- end", "-- choice", "2 strength=2", "-- end"}));
  EXPECT_EQ(Commands(), (Cmds{{4, "2 101 2"}}));
}

TEST_F(ChoiceLoaderTest, MarkerLaterInALineClosesCollection) {
  WriteCodes();
  Write("choice.ini",
        CrLf({"-- choice", "1 strength=1", "note -- choice", "2 strength=2", "-- end"}));
  EXPECT_EQ(Commands(), (Cmds{{3, "1 101 1"}}));
}

TEST_F(ChoiceLoaderTest, LinesAfterTheLastEndLineAreNotSent) {
  WriteCodes();
  Write("choice.ini", CrLf({"-- choice", "1 strength=1", "-- end", "-- choice", "2 strength=2"}));
  EXPECT_EQ(Commands(), (Cmds{{3, "1 101 1"}}));
}

TEST_F(ChoiceLoaderTest, AnswerLineRules) {
  WriteCodes();
  Write("choice.ini", CrLf({"-- choice",
                            "- strength=5",    // disabled
                            "0 strength=5",    // answer 0 is kept
                            "",                // empty
                            "strength=5",      // no space
                            "1 strength",      // no "="
                            "1 strength = 2",  // name "strength " has no code
                            "1 strength=2=3",  // amount "2=3"
                            "01 trade=+3",     // answer number kept as written
                            "x agility=-1",    // a word as answer number
                            "1 unknown=4",     // no such name
                            "1 strength=",     // empty amount
                            "-- end"}));
  EXPECT_EQ(LoadList(0),
            (Strings{"0 101 5", "1   2", "1 101 2=3", "01 224 +3", "x 102 -1", "1  4", "1 101 "}));
}

TEST_F(ChoiceLoaderTest, NumericNameWithoutEntrySelectsByPosition) {
  Write("array.ini", CrLf({"strength=101", "agility=102", "7=304"}));
  Write("choice.ini", CrLf({"-- choice", "1 1=1", "1 7=1", "1 5=1", "1 01=1", "-- end"}));
  // "1" is entry 1; "7" is found by name; "5" is past the end; "01" is no plain position.
  EXPECT_EQ(LoadList(0), (Strings{"1 102 1", "1 304 1", "1  1", "1  1"}));
}

TEST_F(ChoiceLoaderTest, LookupIsExactAndFirstMatchWins) {
  Write("array.ini", CrLf({"[codes]", "Strength=111", "strength=101", "strength=999"}));
  Write("choice.ini", CrLf({"-- choice", "1 strength=1", "1 STRENGTH=1", "-- end"}));
  EXPECT_EQ(LoadList(0), (Strings{"1 101 1", "1  1"}));
}

TEST_F(ChoiceLoaderTest, MissingCodeFileLeavesEveryCodeEmpty) {
  Write("choice.ini", CrLf({"-- choice", "1 strength=1", "2 agility=3", "-- end"}));
  EXPECT_EQ(LoadList(0), (Strings{"1  1", "2  3"}));
}

TEST_F(ChoiceLoaderTest, MissingEmptyOrLfOnlyChoiceFileSendsNothing) {
  WriteCodes();
  EXPECT_TRUE(Commands().empty());
  Write("choice.ini", "");
  EXPECT_TRUE(Commands().empty());
  Write("choice.ini", "-- choice\n1 strength=1\n-- end\n");
  EXPECT_TRUE(Commands().empty());
  std::filesystem::remove(Dir / "choice.ini");
  std::filesystem::create_directory(Dir / "choice.ini");
  EXPECT_TRUE(Commands().empty());
}

TEST_F(ChoiceLoaderTest, CrOnlyLineEndsWork) {
  WriteCodes();
  Write("choice.ini", "-- choice\r1 strength=1\r-- end\r");
  EXPECT_EQ(Commands(), (Cmds{{3, "1 101 1"}}));
}

TEST_F(ChoiceLoaderTest, FilesAreDroppedAfterTheLoad) {
  WriteCodes();
  Write("choice.ini", CrLf({"-- choice", "1 strength=1", "-- end", "-- choice", "1 x=1"}));
  TScheme host;
  auto* c = build::Container(host, nullptr, 1, 0);
  c->SetMake(&MakeSubScheme<TChoiceLoader>);
  auto* loader = static_cast<TChoiceLoader*>(c->Boundary->Owner);
  Work(c, 0);
  EXPECT_EQ(loader->ChoiceFile->Lines.Count(), 0u);
  EXPECT_EQ(loader->CodeTable->Size(), 0u);
  // The unfinished block is kept but never sent.
  EXPECT_EQ(loader->Block->Lines.Count(), 1u);
}

TEST_F(ChoiceLoaderTest, GarbageInputNeitherCrashesNorSends) {
  std::string junk;
  for (int i = 0; i < 4096; ++i)
    junk += static_cast<char>((i * 131 + 7) % 256);
  Write("array.ini", junk);
  Write("choice.ini", junk);
  EXPECT_TRUE(Commands().empty());
  // A zero byte ends the text: the block after it is never read.
  WriteCodes();
  std::string text = CrLf({"-- choice", "1 strength=1", "-- end"});
  text += '\0';
  text += CrLf({"-- choice", "2 strength=2", "-- end"});
  Write("choice.ini", text);
  EXPECT_EQ(Commands(), (Cmds{{3, "1 101 1"}}));
}

TEST_F(ChoiceLoaderTest, LongLinesAreKeptWhole) {
  WriteCodes();
  std::string amount(100000, '1');
  Write("choice.ini", CrLf({"-- choice", "1 strength=" + amount, "-- end"}));
  auto cmds = Commands();
  ASSERT_EQ(cmds.size(), 1u);
  EXPECT_EQ(cmds[0].second, "1 101 " + amount);
}

}  // namespace
