// Governed skills, governing attribute and related labels: what hovering a result label reports.
#include "fixture.h"

#include "scheme/governed_skills.h"
#include "scheme/governing_attribute.h"
#include "scheme/related_labels.h"

namespace {

using Ints = std::vector<int32_t>;
using Chains = std::vector<std::vector<int32_t>>;

class LabelMapsTest : public RuntimeTest {
 protected:
  template <class S>
  THIMultiElement* Make(int events) {
    auto* c = build::Container(host, nullptr, events, 0);
    c->SetMake(&MakeSubScheme<S>);
    return c;
  }
  TScheme host;
};

TEST_F(LabelMapsTest, GovernedSkillsOfEachAttribute) {
  auto* c = Make<TGovernedSkills>(2);
  auto* rec = host.Add<TRecorder>();
  c->onEvent[0] = rec->Link(0);
  c->onEvent[1] = rec->Link(1);
  auto run = [&](TData k) {
    rec->Calls.clear();
    rec->Points.clear();
    Work(c, 0, k);
    return rec->FirstInts();
  };
  EXPECT_EQ(run(MakeInteger(0)), (Ints{0, 0, 1, 2, 3}));
  EXPECT_EQ(run(MakeInteger(1)), (Ints{1, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(run(MakeInteger(2)), (Ints{2, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
  EXPECT_EQ(run(MakeInteger(3)), (Ints{3, 21, 22, 23}));
  EXPECT_EQ(rec->Points, (std::vector<uint16_t>{0, 1, 1, 1}));
  EXPECT_EQ(run(MakeInteger(4)), (Ints{4}));
  EXPECT_EQ(run(MakeInteger(-1)), (Ints{-1}));
}

TEST_F(LabelMapsTest, GoverningAttributeOfEachSkill) {
  auto* c = Make<TGoverningAttribute>(2);
  auto* rec = host.Add<TRecorder>();
  c->onEvent[0] = rec->Link(0);
  c->onEvent[1] = rec->Link(1);
  Ints attributeOf;
  for (int32_t i = -1; i <= 25; ++i) {
    rec->Calls.clear();
    rec->Points.clear();
    Work(c, 0, MakeInteger(i));
    Ints got = rec->FirstInts();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0], i);
    EXPECT_EQ(rec->Points[0], 0);
    attributeOf.push_back(got.size() > 1 ? got[1] : -9);
    if (got.size() > 1) {
      EXPECT_EQ(rec->Points[1], 1);
    }
  }
  Ints expected = {0};  // -1 counts as strength
  for (int32_t i = 0; i <= 25; ++i)
    expected.push_back(i < 4 ? 0 : i < 10 ? 1 : i < 21 ? 2 : i < 24 ? 3 : -9);
  EXPECT_EQ(attributeOf, expected);
}

// The related-labels router fed by the two maps, as the main form wires them.
class RelatedLabelsTest : public LabelMapsTest {
 protected:
  void SetUp() override {
    LabelMapsTest::SetUp();
    attrs = Make<TGovernedSkills>(2);
    skills = Make<TGoverningAttribute>(2);
    router = Make<TRelatedLabels>(1);
    rec = host.Add<TRecorder>();
    attrs->onEvent[0] = build::ContainerWork(router, 0);
    attrs->onEvent[1] = build::ContainerWork(router, 1);
    skills->onEvent[0] = build::ContainerWork(router, 2);
    skills->onEvent[1] = build::ContainerWork(router, 3);
    router->onEvent[0] = rec->Link();
  }
  Chains Hover(THIMultiElement* c, uint16_t k, int32_t label) {
    rec->Calls.clear();
    Work(c, k, MakeInteger(label));
    return rec->Ints();
  }
  THIMultiElement* attrs = nullptr;
  THIMultiElement* skills = nullptr;
  THIMultiElement* router = nullptr;
  TRecorder* rec = nullptr;
};

TEST_F(RelatedLabelsTest, HoveringAttributes) {
  EXPECT_EQ(Hover(attrs, 0, 0), (Chains{{1, 0}, {5}, {3, 0}, {3, 1}, {3, 2}, {3, 3}}));
  EXPECT_EQ(Hover(attrs, 0, 1),
            (Chains{{1, 1}, {4, 6}, {3, 4}, {3, 5}, {3, 6}, {3, 7}, {3, 8}, {3, 9}}));
  Chains intelligence = {{1, 2}, {3, 24}};
  for (int32_t s = 10; s <= 20; ++s)
    intelligence.push_back({3, s});
  EXPECT_EQ(Hover(attrs, 0, 2), intelligence);
  EXPECT_EQ(Hover(attrs, 0, 3), (Chains{{1, 3}, {3, 21}, {3, 22}, {3, 23}}));
  EXPECT_EQ(Hover(attrs, 0, 4), (Chains{{1, 4}}));
}

TEST_F(RelatedLabelsTest, HoveringSkills) {
  EXPECT_EQ(Hover(skills, 0, 0), (Chains{{1, 0}, {5, 0}, {2, 0}}));
  EXPECT_EQ(Hover(skills, 0, 17), (Chains{{1, 17}, {2, 2}}));
  EXPECT_EQ(Hover(skills, 0, 23), (Chains{{1, 23}, {2, 3}}));
  EXPECT_EQ(Hover(skills, 0, 24), (Chains{{1, 24}}));
}

TEST_F(RelatedLabelsTest, HoveringProficienciesAndOtherValues) {
  EXPECT_EQ(Hover(router, 4, 3), (Chains{{1, 3}}));
  EXPECT_EQ(Hover(router, 5, 0), (Chains{{1, 0}}));
  EXPECT_EQ(Hover(router, 1, 7), (Chains{{3, 7}}));
  EXPECT_EQ(Hover(router, 3, 1), (Chains{{2, 1}}));
}

}  // namespace
