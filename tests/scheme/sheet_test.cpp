// The whole data and score path without windows: files -> question lists -> four tables.
#include <fstream>
#include <map>
#include <sstream>

#include "fixture.h"

namespace {

using Ints = std::vector<int32_t>;

class SheetTest : public FolderTest {
 protected:
  void CopySample(const std::string& name) {
    std::ifstream in(std::string(HS_SAMPLE_DATA_DIR) + "/" + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::stringstream s;
    s << in.rdbuf();
    Write(name, s.str());
  }
};

TEST_F(SheetTest, WorkedExampleFromFourEffects) {
  Write("array.ini", CrLf({"strength=101", "power_throw=203", "hit_points=401"}));
  Write("choice.ini", CrLf({"-- choice gender", "1 strength=1", "-- end",  //
                            "-- choice father", "2 strength=2", "-- end",  //
                            "-- choice father (female)", "-- end",         //
                            "-- choice early life", "3 power_throw=1", "-- end",
                            "-- choice later life", "-- end",  //
                            "-- choice later life (female)", "-- end", "-- choice reason",
                            "4 hit_points=10", "-- end"}));
  TTestSheet sheet;
  sheet.Load();
  sheet.Commit({1, 2, 3, 0, 4});
  EXPECT_EQ(Table("attrib"), (Ints{0, 3, 0, 0, 0}));
  Ints skills(25, 0);
  skills[3] = 1;
  EXPECT_EQ(Table("skills"), skills);
  EXPECT_EQ(Table("other"), (Ints{0, 13, 0, 0, 0}));
}

TEST_F(SheetTest, GenderChoosesTheListOfQuestionsTwoAndFour) {
  Write("array.ini", CrLf({"gold=402", "renown=403"}));
  Write("choice.ini", CrLf({"-- choice", "0 renown=1", "-- end",  //
                            "-- choice", "1 gold=10", "-- end",   //
                            "-- choice", "1 gold=20", "-- end",   //
                            "-- choice", "-- end",                //
                            "-- choice", "1 gold=300", "-- end",  //
                            "-- choice", "1 gold=400", "-- end",  //
                            "-- choice", "-- end"}));
  TTestSheet sheet;
  sheet.Load();
  sheet.Commit({1, 1, 0, 1, 0});
  EXPECT_EQ(Table("other"), (Ints{0, 0, 310, 1, 0}));
  sheet.Commit({2, 1, 0, 1, 0});
  EXPECT_EQ(Table("other"), (Ints{0, 0, 420, 1, 0}));
  // No gender: no list for questions 2 and 4; question 1 applies its answer 0 just once.
  sheet.Commit({0, 1, 0, 1, 0});
  EXPECT_EQ(Table("other"), (Ints{0, 0, 0, 1, 0}));
}

TEST_F(SheetTest, CommitStartsFromZeroEveryTime) {
  Write("array.ini", CrLf({"strength=101"}));
  Write("choice.ini", CrLf({"-- choice", "1 strength=2", "2 strength=5", "-- end"}));
  TTestSheet sheet;
  sheet.Load();
  sheet.Commit({1, 0, 0, 0, 0});
  sheet.Commit({1, 0, 0, 0, 0});
  EXPECT_EQ(Table("attrib")[1], 2);
  sheet.Commit({2, 0, 0, 0, 0});
  EXPECT_EQ(Table("attrib")[1], 5);
  // Hit points follow strength.
  EXPECT_EQ(Table("other")[1], 5);
}

TEST_F(SheetTest, MissingFilesGiveZeroTables) {
  TTestSheet sheet;
  sheet.Load();
  for (int l = 0; l < 7; ++l)
    EXPECT_TRUE(sheet.Lines(l).empty());
  sheet.Commit({1, 1, 1, 1, 1});
  EXPECT_EQ(Table("attrib"), Ints(5, 0));
  EXPECT_EQ(Table("other"), Ints(5, 0));
}

TEST_F(SheetTest, SampleDataMaleBaseline) {
  CopySample("array.ini");
  CopySample("choice.ini");
  TTestSheet sheet;
  sheet.Load();
  sheet.Commit({1, 0, 0, 0, 0});
  EXPECT_EQ(Table("attrib"), (Ints{2, 5, 4, 4, 5}));
  Ints skills(25, 0);
  skills[0] = 4;  // intelligence
  EXPECT_EQ(Table("skills"), skills);
  EXPECT_EQ(Table("profic"), (Ints{10, 15, 10, 10, 10, 10, 10}));
  EXPECT_EQ(Table("other"), (Ints{0, 40, 10, 0, 0}));
}

TEST_F(SheetTest, SampleDataFillsSevenListsAndEveryCodeReachesItsTable) {
  CopySample("array.ini");
  CopySample("choice.ini");
  TTestSheet sheet;
  sheet.Load();
  // The stored lines of every list, by answer; every code is a known one.
  const int answers[7] = {3, 7, 7, 6, 7, 7, 6};
  const int question[7] = {0, 1, 1, 2, 3, 3, 4};
  const int gender[7] = {1, 1, 2, 1, 1, 2, 1};
  std::map<int32_t, bool> reached;
  for (int l = 0; l < 7; ++l) {
    std::vector<std::string> lines = sheet.Lines(l);
    ASSERT_FALSE(lines.empty()) << l;
    for (int k = 0; k < answers[l]; ++k) {
      // Expected sums of answer k from its stored lines "W code V".
      std::map<int32_t, int32_t> sums;
      for (const std::string& line : lines) {
        std::istringstream in(line);
        int32_t w = 0, code = 0, v = 0;
        ASSERT_TRUE(in >> w >> code >> v) << line;
        ASSERT_TRUE((code >= 100 && code <= 104) || (code >= 200 && code <= 224) ||
                    (code >= 300 && code <= 306) || (code >= 401 && code <= 404))
            << line;
        if (w == k) sums[code] += v;
      }
      if (k > 0) {
        EXPECT_FALSE(sums.empty()) << "list " << l << " answer " << k;
      }
      sheet.ResetTables();
      if (question[l] == 1 || question[l] == 3) {
        TData g = MakeInteger(gender[l] - 1);
        sheet.BySex[static_cast<size_t>(question[l])]->doIndex(g, 0);
      }
      sheet.Apply(question[l], k);
      const char* names[5] = {"", "attrib", "skills", "profic", "other"};
      for (int t = 1; t <= 4; ++t) {
        Ints items = Table(names[t]);
        for (size_t i = 0; i < items.size(); ++i) {
          int32_t code = t * 100 + static_cast<int32_t>(i);
          int32_t want = sums.count(code) ? sums[code] : 0;
          EXPECT_EQ(items[i], want) << "list " << l << " answer " << k << " code " << code;
          if (items[i] != 0) reached[code] = true;
        }
      }
    }
  }
  // Every code of array.ini is reached by some answer.
  std::ifstream codes(Dir / "array.ini", std::ios::binary);
  std::string entry;
  int count = 0;
  while (std::getline(codes, entry, '\n')) {
    int32_t code = ParseInt(entry.substr(entry.find('=') + 1));
    EXPECT_TRUE(reached[code]) << entry;
    ++count;
  }
  EXPECT_EQ(count, 41);
}

TEST_F(SheetTest, SampleDataPreviewMatchesAppliedCodes) {
  CopySample("array.ini");
  CopySample("choice.ini");
  TTestSheet sheet;
  sheet.Load();
  sheet.Commit({1, 0, 0, 0, 0});
  // Question 3, answer 1 (page): charisma, riding, leadership, one-handed weapons.
  EXPECT_EQ(sheet.Preview(2, 1),
            (std::vector<std::pair<int, int32_t>>{{0, 3}, {1, 7}, {1, 22}, {2, 0}}));
  Ints before = Table("attrib");
  sheet.Preview(2, 2);
  EXPECT_EQ(Table("attrib"), before);
}

}  // namespace
