// Sub-scheme containers: building, crossing the boundary both ways, destruction.
#include "runtime/multi.h"
#include "runtime/scheme.h"
#include "runtime_fixture.h"

namespace {

std::vector<std::string>* gLog = nullptr;

// Logs its construction and destruction.
class Tracked : public THIBase {
 public:
  explicit Tracked(std::string name) : name_(std::move(name)) { gLog->push_back("+" + name_); }
  ~Tracked() override { gLog->push_back("-" + name_); }

 private:
  std::string name_;
};

// Inner scheme: work point 0 pops one value and reports it on event 0; work point 1 reads
// data point 0 from outside with default 42 and reports it on event 1.
class Popper : public THIBase {
 public:
  THI_Event onOut;
  THI_Event onRead;
  THI_Event OutsidePoint;
  void doPop(TData& d, uint16_t) {
    THI_Event none;
    int32_t v = ReadInteger(d, none);
    FireInteger(onOut, v);
  }
  void doRead(TData& d, uint16_t) {
    int32_t v = ReadInteger(d, OutsidePoint, 42);
    FireInteger(onRead, v);
  }
};

class InnerScheme : public TSubScheme {
 public:
  InnerScheme(TControl*, TScheme* parent, THIMultiElement* container) : TSubScheme(parent) {
    ++built;
    THIEditMulti* b = MakeBoundary(container, 2);
    Add<Tracked>("inner.a");
    Popper* p = Add<Popper>();
    Add<Tracked>("inner.b");
    b->onWork[0] = MakeEvent<&Popper::doPop>(p);
    b->onWork[1] = MakeEvent<&Popper::doRead>(p);
    p->onOut = MakeEvent<&THIEditMulti::doEvent>(b, 0);
    p->onRead = MakeEvent<&THIEditMulti::doEvent>(b, 1);
    p->OutsidePoint = MakeEvent<&THIEditMulti::Data>(b, 0);
    if (registerInit) AddInitProc<&InnerScheme::Started>(this);
  }
  void Started() { ++started; }
  static inline int built = 0;
  static inline int started = 0;
  static inline bool registerInit = false;
};

// An outer sub-scheme that holds a nested container of InnerScheme.
class OuterScheme : public TSubScheme {
 public:
  OuterScheme(TControl* w, TScheme* parent, THIMultiElement* container) : TSubScheme(parent) {
    THIEditMulti* b = MakeBoundary(container, 1);
    Add<Tracked>("outer.a");
    auto* nested = Add<THIMultiElement>(w);
    nested->SetCounts(2, 1);
    nested->ParentScheme = this;
    Add<Tracked>("outer.b");
    b->onWork[0] = MakeEvent<&THIMultiElement::doWork>(nested, 0);
    nested->onEvent[0] = MakeEvent<&THIEditMulti::doEvent>(b, 0);
    nested->SetMake(&MakeSubScheme<InnerScheme>);
  }
};

class MultiTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    gLog = &log;
    InnerScheme::built = 0;
    InnerScheme::started = 0;
    InnerScheme::registerInit = false;
  }
  std::vector<std::string> log;
};

}  // namespace

TEST_F(MultiTest, PoppingInsideIsSeenByTheCaller) {
  TScheme top;
  auto* c = top.Add<THIMultiElement>(nullptr);
  c->SetCounts(2, 1);
  c->ParentScheme = &top;
  Probe out;
  c->onEvent[0] = out.work();
  c->SetMake(&MakeSubScheme<InnerScheme>);
  EXPECT_EQ(InnerScheme::built, 1);
  std::vector<TData> nodes = {MakeInteger(1), MakeInteger(2)};
  TData d = Chain(nodes);
  FireEvent(MakeEvent<&THIMultiElement::doWork>(c, 0), d);
  ASSERT_EQ(out.got.size(), 1u);
  EXPECT_EQ(out.got[0].IntValue, 1);
  EXPECT_EQ(d.IntValue, 2);  // the caller's record was popped
}

TEST_F(MultiTest, DataReadThroughBoundaryOrInnerDefault) {
  TScheme top;
  auto* c = top.Add<THIMultiElement>(nullptr);
  c->SetCounts(2, 1);
  Probe out;
  c->onEvent[1] = out.work();
  c->SetMake(&MakeSubScheme<InnerScheme>);
  FireNull(MakeEvent<&THIMultiElement::doWork>(c, 1));
  Source s;
  s.value = MakeInteger(7);
  c->Data[0] = s.point();
  FireNull(MakeEvent<&THIMultiElement::doWork>(c, 1));
  ASSERT_EQ(out.got.size(), 2u);
  EXPECT_EQ(out.got[0].IntValue, 42);  // unlinked outside: the inner default
  EXPECT_EQ(out.got[1].IntValue, 7);
}

TEST_F(MultiTest, UnlinkedSlotsDoNothing) {
  TScheme top;
  auto* c = top.Add<THIMultiElement>(nullptr);
  c->SetCounts(1, 0);  // outside: event 0 only, no data point
  Probe out;
  c->onEvent[0] = out.work();
  c->SetMake(&MakeSubScheme<InnerScheme>);
  struct Case {
    uint16_t work;
    const char* why;
  };
  const Case cases[] = {
      {1, "inside fires event 1, which the container does not have"},
      {9, "the boundary has no work point 9"},
  };
  for (const Case& k : cases) {
    TData d = MakeInteger(5);
    FireEvent(MakeEvent<&THIMultiElement::doWork>(c, k.work), d);
    EXPECT_TRUE(out.got.empty()) << k.why;
    EXPECT_EQ(d.Kind, data_int) << k.why;
  }
  // The one linked slot still carries a value out.
  TData d = MakeInteger(5);
  FireEvent(MakeEvent<&THIMultiElement::doWork>(c, 0), d);
  ASSERT_EQ(out.got.size(), 1u);
  EXPECT_EQ(out.got[0].IntValue, 5);
  EXPECT_EQ(InnerScheme::built, 1);
}

TEST_F(MultiTest, DeferredBuildsOnFirstUseAndRunsItsInitProcs) {
  InnerScheme::registerInit = true;
  TScheme top;
  auto* c = top.Add<THIMultiElement>(nullptr);
  c->SetCounts(2, 1);
  c->Deferred = 1;
  Probe out;
  c->onEvent[0] = out.work();
  c->SetMake(&MakeSubScheme<InnerScheme>);
  EXPECT_EQ(InnerScheme::built, 0);
  FireInteger(MakeEvent<&THIMultiElement::doWork>(c, 0), 3);
  EXPECT_EQ(InnerScheme::built, 1);
  EXPECT_EQ(InnerScheme::started, 1);  // the application was running: run at once
  EXPECT_TRUE(InitDone);
  FireInteger(MakeEvent<&THIMultiElement::doWork>(c, 0), 4);
  EXPECT_EQ(InnerScheme::built, 1);
  ASSERT_EQ(out.got.size(), 2u);
  EXPECT_EQ(out.got[1].IntValue, 4);
}

TEST_F(MultiTest, InitProcsWaitForStartWhileStillConstructing) {
  InnerScheme::registerInit = true;
  InitDone = false;
  TScheme top;
  auto* c = top.Add<THIMultiElement>(nullptr);
  c->SetCounts(2, 1);
  c->SetMake(&MakeSubScheme<InnerScheme>);
  EXPECT_EQ(InnerScheme::started, 0);
  EXPECT_FALSE(InitDone);
  RunInitProcs();
  EXPECT_EQ(InnerScheme::started, 1);
}

TEST_F(MultiTest, NestedSchemesCrossTwoBoundariesAndDieOnceDeepestFirst) {
  {
    TScheme top;
    top.Add<Tracked>("top.a");
    auto* c = top.Add<THIMultiElement>(nullptr);
    c->SetCounts(1, 0);
    Probe out;
    c->onEvent[0] = out.work();
    c->SetMake(&MakeSubScheme<OuterScheme>);
    top.Add<Tracked>("top.b");
    FireInteger(MakeEvent<&THIMultiElement::doWork>(c, 0), 9);
    ASSERT_EQ(out.got.size(), 1u);
    EXPECT_EQ(out.got[0].IntValue, 9);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"+top.a", "+outer.a", "+outer.b", "+inner.a", "+inner.b",
                                           "+top.b", "-top.b", "-outer.b", "-inner.b", "-inner.a",
                                           "-outer.a", "-top.a"}));
}
