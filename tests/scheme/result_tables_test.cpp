// The result tables: four zero-filled tables published under their shared names.
#include "fixture.h"

namespace {

using Ints = std::vector<int32_t>;

class ResultTablesTest : public RuntimeTest {
 protected:
  void Build() {
    tables = build::Container(host, nullptr, 0, 0);
    tables->SetMake(&MakeSubScheme<TResultTables>);
  }
  TScheme host;
  THIMultiElement* tables = nullptr;
};

TEST_F(ResultTablesTest, NothingIsPublishedBeforeTheFirstRun) {
  Build();
  EXPECT_TRUE(Table("attrib").empty());
  EXPECT_EQ(GlobalVarEntry("skills")->Kind, data_null);
}

TEST_F(ResultTablesTest, RunPublishesFourZeroTablesOfTheirSizes) {
  Build();
  Work(tables, 0, MakeString("ignored"));
  EXPECT_EQ(Table("attrib"), Ints(5, 0));
  EXPECT_EQ(Table("skills"), Ints(25, 0));
  EXPECT_EQ(Table("profic"), Ints(7, 0));
  EXPECT_EQ(Table("other"), Ints(5, 0));
  // Names compare without letter case.
  EXPECT_EQ(Table("SKILLS"), Ints(25, 0));
}

TEST_F(ResultTablesTest, SecondRunKeepsTheTablesAndResetsTheirValues) {
  Build();
  Work(tables, 0);
  void* skills = GlobalVarEntry("skills")->Ref;
  auto* a = static_cast<TArrayIntf*>(skills);
  a->Set(MakeInteger(3), MakeInteger(42));
  a->Add(MakeInteger(7));
  EXPECT_EQ(Table("skills").size(), 26u);
  Work(tables, 0);
  EXPECT_EQ(GlobalVarEntry("skills")->Ref, skills);
  EXPECT_EQ(Table("skills"), Ints(25, 0));
}

}  // namespace
