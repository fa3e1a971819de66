// The caption keys a checker reads from the sheet's layouts are exactly the keys the sheet asks
// to be translated while it is built, and the answer lists and code labels match the built sheet.
#include <algorithm>

#include "scheme/build_ui.h"
#include "scheme/sheet_keys.h"
#include "sheet_fixture.h"

namespace {

std::vector<std::string>* g_seen = nullptr;

void Seen(std::string_view key) {
  g_seen->emplace_back(key);
}

using CaptionKeysTest = SheetTest;

TEST_F(CaptionKeysTest, AreTheKeysTheBuiltSheetTranslates) {
  std::vector<std::string> seen;
  g_seen = &seen;
  build::WatchTranslatedKeys(&Seen);
  CopySampleData();
  Start();
  build::WatchTranslatedKeys(nullptr);
  g_seen = nullptr;

  std::vector<std::string> listed;
  for (std::string_view key : SheetCaptionKeys())
    listed.emplace_back(key);
  std::vector<std::string> built = seen;
  std::sort(built.begin(), built.end());
  built.erase(std::unique(built.begin(), built.end()), built.end());
  std::vector<std::string> sortedListed = listed;
  std::sort(sortedListed.begin(), sortedListed.end());
  EXPECT_EQ(sortedListed, built);
  EXPECT_EQ(listed.size(), sortedListed.size()) << "a key is listed twice";
  EXPECT_EQ(listed.size(), 81u);
}

TEST(CaptionKeys, BlocksFeedTheListsOfTheLineCommands) {
  struct TCase {
    int Block, Question, Sex;
    size_t Answers;
    std::string_view Second;
  };
  const TCase cases[] = {{0, 1, 0, 3, "tf_male"},    {1, 2, 1, 7, "ch2_noble"},
                         {2, 2, 2, 7, "ch2_noble"},  {3, 3, 0, 6, "ch3_page"},
                         {4, 4, 1, 7, "ch4_squire"}, {5, 4, 2, 7, "ch4_squire"},
                         {6, 5, 0, 6, "ch5_revenge"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Block);
    TAnswerList list = AnswerListOfBlock(c.Block);
    EXPECT_EQ(list.Question, c.Question);
    EXPECT_EQ(list.Sex, c.Sex);
    ASSERT_EQ(list.Answers.size(), c.Answers);
    EXPECT_EQ(list.Answers[0], "ch_unknown");
    EXPECT_EQ(list.Answers[1], c.Second);
  }
  EXPECT_EQ(AnswerListOfBlock(7).Question, 0);
  EXPECT_EQ(AnswerListOfBlock(-1).Question, 0);
}

TEST(CaptionKeys, CodesNameTheirResultRows) {
  const std::pair<int32_t, std::string_view> cases[] = {{100, "ca_points"},
                                                        {101, "ca_strength"},
                                                        {104, "ca_charisma"},
                                                        {105, ""},
                                                        {200, "skl_points"},
                                                        {224, "skl_trade"},
                                                        {225, ""},
                                                        {300, "wpt_weapon_points"},
                                                        {306, "wpt_throwing"},
                                                        {400, ""},
                                                        {401, "oth_hitpoints"},
                                                        {404, "oth_honor"},
                                                        {500, ""},
                                                        {99, ""},
                                                        {-101, ""}};
  for (const auto& [code, key] : cases)
    EXPECT_EQ(LabelKeyOfCode(code), key) << code;
}

}  // namespace
