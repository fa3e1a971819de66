// The derived values: skill points and hit points after every answer is applied.
#include "fixture.h"

namespace {

using Ints = std::vector<int32_t>;

class DerivedValuesTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    tables = build::Container(host, nullptr, 0, 0);
    derive = build::Container(host, nullptr, 0, 0);
    tables->SetMake(&MakeSubScheme<TResultTables>);
    derive->SetMake(&MakeSubScheme<TDerivedValues>);
    Work(tables, 0);
  }
  static void Set(std::string_view table, int32_t i, int32_t v) {
    auto* a = static_cast<TArrayIntf*>(GlobalVarEntry(table)->Ref);
    a->Set(MakeInteger(i), MakeInteger(v));
  }
  // Sends the command chain [command, extra].
  void Command(int32_t command, TData extra = TData{}) {
    TData chain = MakeInteger(command);
    AppendChain(chain, &extra);
    Work(derive, 0, chain);
  }

  TScheme host;
  THIMultiElement* tables = nullptr;
  THIMultiElement* derive = nullptr;
};

TEST_F(DerivedValuesTest, HitPointsAddStrengthAndTwiceIronflesh) {
  Set("attrib", 1, 5);
  Set("skills", 1, 2);
  Command(2);
  EXPECT_EQ(Table("other"), (Ints{0, 9, 0, 0, 0}));
  Set("other", 1, 10);
  Set("attrib", 1, 3);
  Set("skills", 1, 0);
  Command(2);
  EXPECT_EQ(Table("other")[1], 13);
}

TEST_F(DerivedValuesTest, SkillPointsBecomeIntelligence) {
  Set("skills", 0, 5);  // whatever the answers gave is replaced
  Set("attrib", 3, 7);
  Command(2);
  EXPECT_EQ(Table("skills")[0], 7);
  Set("attrib", 3, -4);
  Command(2);
  EXPECT_EQ(Table("skills")[0], -4);
}

TEST_F(DerivedValuesTest, OtherCommandsChangeNothing) {
  Set("attrib", 1, 5);
  Set("attrib", 3, 6);
  for (int32_t c : {0, 1, 3, 9, -1})
    Command(c, MakeString("1 101 1"));
  EXPECT_EQ(Table("skills")[0], 0);
  EXPECT_EQ(Table("other")[1], 0);
}

TEST_F(DerivedValuesTest, UnpublishedTablesAreLeftAlone) {
  SetNull(*GlobalVarEntry("other"));
  Set("attrib", 3, 6);
  Command(2);
  EXPECT_EQ(Table("skills")[0], 6);
  EXPECT_TRUE(Table("other").empty());
}

TEST_F(DerivedValuesTest, ShortTablesAreLeftAlone) {
  // A table without the item that is read or written: nothing is derived from it.
  auto* attrib = static_cast<TArrayIntf*>(GlobalVarEntry("attrib")->Ref);
  THIIntegerArray* small = build::IntegerArray(host, "", true, false);
  small->AppendItem("", 4);
  TData value;
  small->GetArray(value, 0);
  CopyValue(*GlobalVarEntry("skills"), value);
  attrib->Set(MakeInteger(3), MakeInteger(6));
  Command(2);
  EXPECT_EQ(small->ItemAt(0), 6);   // skill points written
  EXPECT_EQ(Table("other")[1], 0);  // no ironflesh: hit points untouched
}

}  // namespace
