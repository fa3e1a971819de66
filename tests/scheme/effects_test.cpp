// Answer effects and effect appliers: routing codes to tables, adding amounts, previews.
#include "fixture.h"

#include "scheme/effect_applier.h"

namespace {

using Ints = std::vector<int32_t>;
using Reports = std::vector<std::pair<int, int32_t>>;

// One question's effects over a list of stored lines, with the tables published.
class EffectsTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    tables = build::Container(host, nullptr, 0, 0);
    list = build::StrList(host, "");
    rec = host.Add<TRecorder>();
    effects = build::Container(host, nullptr, 4, 1);
    effects->Data[0] = MakeEvent<&THIStrList::GetArray>(list);
    for (uint16_t b = 0; b < 4; ++b)
      effects->onEvent[b] = rec->Link(b);
    tables->SetMake(&MakeSubScheme<TResultTables>);
    effects->SetMake(&MakeSubScheme<TAnswerEffects>);
    Work(tables, 0);
  }
  void Lines(std::initializer_list<std::string_view> lines) {
    for (std::string_view l : lines)
      list->Lines.Add(l);
  }
  void Apply(int k) { Work(effects, 2, MakeInteger(k)); }
  Reports Preview(int k) {
    rec->Calls.clear();
    rec->Points.clear();
    Work(effects, 0, MakeInteger(k));
    Reports out;
    Ints labels = rec->FirstInts();
    for (size_t i = 0; i < labels.size(); ++i)
      out.emplace_back(rec->Points[i], labels[i]);
    return out;
  }

  TScheme host;
  THIMultiElement* tables = nullptr;
  THIMultiElement* effects = nullptr;
  THIStrList* list = nullptr;
  TRecorder* rec = nullptr;
};

TEST_F(EffectsTest, CodesReachTheirTablesAndItems) {
  Lines({"1 101 1", "1 101 2", "1 203 1", "1 401 10", "1 304 7", "1 224 5", "1 100 4"});
  Apply(1);
  EXPECT_EQ(Table("attrib"), (Ints{4, 3, 0, 0, 0}));
  Ints skills(25, 0);
  skills[3] = 1;
  skills[24] = 5;
  EXPECT_EQ(Table("skills"), skills);
  EXPECT_EQ(Table("profic"), (Ints{0, 0, 0, 0, 7, 0, 0}));
  EXPECT_EQ(Table("other"), (Ints{0, 10, 0, 0, 0}));
}

TEST_F(EffectsTest, OnlyTheLinesOfTheAnswerApply) {
  Lines({"0 101 1", "1 102 1", "2 103 1", "01 104 1", "x 101 5", "2 102 2"});
  Apply(2);
  EXPECT_EQ(Table("attrib"), (Ints{0, 0, 2, 1, 0}));
  Apply(1);  // "1" and "01"
  EXPECT_EQ(Table("attrib"), (Ints{0, 0, 3, 1, 1}));
  Apply(0);  // "0" and the word "x"
  EXPECT_EQ(Table("attrib"), (Ints{0, 6, 3, 1, 1}));
}

TEST_F(EffectsTest, CodesOutsideEveryTableChangeNothing) {
  Lines({"1 550 1", "1 99 1", "1 150 1", "1 -5 1", "1 0 1", "1  1", "1 abc 1", "1 405 1", "1 325 1",
         "1 2147483647 1", "1 -2147483648 1"});
  Apply(1);
  EXPECT_EQ(Table("attrib"), Ints(5, 0));
  EXPECT_EQ(Table("skills"), Ints(25, 0));
  EXPECT_EQ(Table("profic"), Ints(7, 0));
  EXPECT_EQ(Table("other"), Ints(5, 0));
}

TEST_F(EffectsTest, AmountsRoundHalfToEven) {
  Lines({"1 101 2.5", "1 102 3.5", "1 103 -2.5", "1 104 +3", "1 100 -1", "1 201 1,5", "1 202 junk",
         "1 203 2e1"});
  Apply(1);
  EXPECT_EQ(Table("attrib"), (Ints{-1, 2, 4, -2, 3}));
  Ints skills(25, 0);
  skills[1] = 15;
  skills[3] = 20;
  EXPECT_EQ(Table("skills"), skills);
  // Each addition rounds on its own: 0.5 + 0.5 gives 0 twice.
  Lines({"2 301 0.5", "2 301 0.5", "2 302 1.5", "2 302 1.5"});
  Apply(2);
  EXPECT_EQ(Table("profic"), (Ints{0, 0, 4, 0, 0, 0, 0}));
}

TEST_F(EffectsTest, PreviewReportsLabelsAndWritesNothing) {
  Lines({"1 302 9", "1 224 1", "1 101 1", "1 100 4", "1 401 3", "1 404 1", "1 150 1", "1 99 1",
         "1 550 1", "2 103 1"});
  EXPECT_EQ(Preview(1),
            (Reports{{2, 1}, {1, 23}, {0, 0}, {0, -1}, {3, 0}, {3, 3}, {0, 49}, {0, -2}}));
  EXPECT_EQ(Table("attrib"), Ints(5, 0));
  EXPECT_EQ(Table("profic"), Ints(7, 0));
  EXPECT_EQ(Preview(2), (Reports{{0, 2}}));
  EXPECT_TRUE(Preview(3).empty());
}

TEST_F(EffectsTest, ApplyReportsNothingAndLeavesPreviewMode) {
  Lines({"1 101 1"});
  Preview(1);
  rec->Calls.clear();
  Apply(1);
  EXPECT_TRUE(rec->Calls.empty());
  EXPECT_EQ(Preview(1), (Reports{{0, 0}}));
  EXPECT_EQ(Table("attrib"), (Ints{0, 1, 0, 0, 0}));
}

TEST_F(EffectsTest, WithoutTablesOrListNothingHappens) {
  for (const char* name : {"attrib", "skills", "profic", "other"})
    SetNull(*GlobalVarEntry(name));  // tables no longer published
  Lines({"1 101 1"});
  Apply(1);
  EXPECT_TRUE(Table("attrib").empty());
  effects->Data[0] = THI_Event{};  // no list
  Work(tables, 0);
  Apply(1);
  EXPECT_EQ(Table("attrib"), Ints(5, 0));
  EXPECT_TRUE(Preview(1).empty());
}

TEST_F(EffectsTest, AnswerWithoutValueMatchesNoLine) {
  Lines({"0 101 1", "1 101 1"});
  Work(effects, 2);  // NULL answer
  EXPECT_EQ(Table("attrib"), Ints(5, 0));
}

// The applier alone: factor, table and amount as data points.
class ApplierTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    table = build::IntegerArray(host, "", true, false);
    for (int i = 0; i < 5; ++i)
      table->AppendItem("", 0);
    factor = host.Add<TConstant>();
    amount = host.Add<TConstant>();
    rec = host.Add<TRecorder>();
    applier = build::Container(host, nullptr, 2, 3);
    applier->Data[0] = factor->Link();
    applier->Data[1] = MakeEvent<&THIIntegerArray::GetArray>(table);
    applier->Data[2] = amount->Link();
    applier->onEvent[0] = rec->Link(0);
    applier->onEvent[1] = rec->Link(1);
    applier->SetMake(&MakeSubScheme<TEffectApplier>);
  }
  Ints Items() const {
    Ints out;
    for (size_t i = 0; i < table->Size(); ++i)
      out.push_back(table->ItemAt(i));
    return out;
  }

  TScheme host;
  THIIntegerArray* table = nullptr;
  TConstant* factor = nullptr;
  TConstant* amount = nullptr;
  TRecorder* rec = nullptr;
  THIMultiElement* applier = nullptr;
};

TEST_F(ApplierTest, FactorOneAddsTheAmount) {
  factor->Value = MakeInteger(1);
  amount->Value = MakeString("6");
  Work(applier, 0, MakeString("103"));
  Work(applier, 0, MakeInteger(103));
  EXPECT_EQ(Items(), (Ints{0, 0, 0, 12, 0}));
  EXPECT_TRUE(rec->Calls.empty());
}

TEST_F(ApplierTest, OtherFactorsPreview) {
  amount->Value = MakeString("6");
  for (TData f : {MakeInteger(0), MakeInteger(2), MakeInteger(-1)}) {
    factor->Value = f;
    rec->Calls.clear();
    rec->Points.clear();
    Work(applier, 0, MakeString("103"));
    EXPECT_EQ(rec->FirstInts(), (Ints{2}));
    EXPECT_EQ(rec->Points, (std::vector<uint16_t>{0}));
  }
  EXPECT_EQ(Items(), Ints(5, 0));
}

TEST_F(ApplierTest, LargerCodesGoOnReducedBy100) {
  factor->Value = MakeInteger(1);
  Work(applier, 0, MakeString("315"));
  EXPECT_EQ(rec->FirstInts(), (Ints{215}));
  EXPECT_EQ(rec->Points, (std::vector<uint16_t>{1}));
  EXPECT_EQ(Items(), Ints(5, 0));
}

}  // namespace
