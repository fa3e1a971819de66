// Flow and routing elements.
#include "runtime/chanel.h"
#include "runtime/changemon.h"
#include "runtime/counter.h"
#include "runtime/dodata.h"
#include "runtime/for.h"
#include "runtime/globalvar.h"
#include "runtime/hub.h"
#include "runtime/if_else.h"
#include "runtime/memory.h"
#include "runtime_fixture.h"

using Flow = RuntimeTest;

namespace {

// Logs "tag:value" into a shared log, to check ordering across outputs.
class Logger : public THIBase {
 public:
  std::vector<std::string>* log = nullptr;
  std::string tag;
  THI_Event onNested;
  void doWork(TData& d, uint16_t) {
    log->push_back(tag + ":" + ToString(d));
    FireData(onNested, d);
  }
  // Consumes the incoming value, as a reader would.
  void doConsume(TData& d, uint16_t) {
    THI_Event none;
    std::string before = ToString(d);
    int32_t taken = ReadInteger(d, none);
    log->push_back(tag + ":" + before + "/" + FormatInt(taken));
  }
};

}  // namespace

TEST_F(Flow, HubFiresOutputsInOrderEachWithItsOwnCopy) {
  std::vector<std::string> log;
  Logger a, nested, b, c;
  for (Logger* l : {&a, &nested, &b, &c})
    l->log = &log;
  a.tag = "a";
  nested.tag = "n";
  b.tag = "b";
  c.tag = "c";
  a.onNested = MakeEvent<&Logger::doConsume>(&nested);
  THIHub hub;
  hub.SetCount(3);
  hub.onEvent[0] = MakeEvent<&Logger::doWork>(&a);
  hub.onEvent[1] = MakeEvent<&Logger::doWork>(&b);
  hub.onEvent[2] = MakeEvent<&Logger::doWork>(&c);
  TData d = MakeInteger(5);
  FireEvent(MakeEvent<&THIHub::doEvent>(&hub), d);
  EXPECT_EQ(log, (std::vector<std::string>{"a:5", "n:5/5", "b:5", "c:5"}));
}

TEST_F(Flow, HubOutputsSeeTheWholeChainEvenIfEarlierOnesConsumed) {
  THIHub hub;
  hub.SetCount(2);
  Probe second;
  std::vector<std::string> log;
  Logger consumer;
  consumer.log = &log;
  hub.onEvent[0] = MakeEvent<&Logger::doConsume>(&consumer);
  hub.onEvent[1] = second.chain();
  std::vector<TData> nodes = {MakeInteger(1), MakeInteger(2)};
  TData d = Chain(nodes);
  FireEvent(MakeEvent<&THIHub::doEvent>(&hub), d);
  ASSERT_EQ(second.chains.size(), 1u);
  EXPECT_EQ(second.chains[0], "1,2");
}

TEST_F(Flow, DoDataSendsIncomingOrProperty) {
  THIDoData dd;
  Probe p;
  dd.onData = p.work();
  TData in = MakeInteger(3);
  FireEvent(MakeEvent<&THIDoData::doData>(&dd), in);
  SetString(dd.Data, "prop");
  TData in2 = MakeInteger(4);
  FireEvent(MakeEvent<&THIDoData::doData>(&dd), in2);
  ASSERT_EQ(p.got.size(), 2u);
  EXPECT_EQ(p.got[0].IntValue, 3);
  EXPECT_EQ(p.got[1].StrValue, "prop");
  Source s;
  s.value = MakeInteger(11);
  dd.DataPoint = s.point();
  FireInteger(MakeEvent<&THIDoData::doData>(&dd), 0);
  EXPECT_EQ(p.got[2].IntValue, 11);
}

TEST_F(Flow, MemoryStoresClearsAndAnnounces) {
  THIMemory m;
  m.SetDefault(MakeInteger(0));
  Probe p;
  m.onData = p.work();
  FireInteger(MakeEvent<&THIMemory::doValue>(&m), 7);
  TData v;
  m.GetValue(v, 0);
  EXPECT_EQ(v.IntValue, 7);
  FireNull(MakeEvent<&THIMemory::doClear>(&m));
  m.GetValue(v, 0);
  EXPECT_EQ(v.Kind, data_int);
  EXPECT_EQ(v.IntValue, 0);
  ASSERT_EQ(p.got.size(), 2u);
  EXPECT_EQ(p.got[0].IntValue, 7);
  EXPECT_EQ(p.got[1].IntValue, 0);
}

TEST_F(Flow, GlobalVarsShareByCaseInsensitiveName) {
  THIGlobalVar a, b, unnamed;
  a.SetName("Attrib");
  b.SetName("attrib");
  unnamed.SetName("");
  std::vector<TData> nodes = {MakeInteger(1), MakeInteger(2)};
  TData chain = Chain(nodes);
  FireEvent(MakeEvent<&THIGlobalVar::doValue>(&a), chain);
  TData v;
  b.GetValue(v, 0);
  EXPECT_EQ(v.IntValue, 1);
  EXPECT_EQ(v.Next, nullptr);  // only the first value of a chain is stored
  unnamed.SetValue(MakeInteger(9));
  unnamed.GetValue(v, 0);
  EXPECT_EQ(v.Kind, data_null);
  EXPECT_EQ(GlobalVarCount(), 1u);
  THIGlobalVar other;
  other.SetName("ATTRIB2");
  EXPECT_EQ(GlobalVarCount(), 2u);
}

TEST_F(Flow, IfElseComparesIntegersAndCarriesIncoming) {
  THIIf_else c;
  c.Type = THIIf_else::Less;
  SetInteger(c.Op2, 4);
  Probe t, f;
  c.onTrue = t.work();
  c.onFalse = f.work();
  FireInteger(MakeEvent<&THIIf_else::doCompare>(&c), 3);
  FireInteger(MakeEvent<&THIIf_else::doCompare>(&c), 4);
  ASSERT_EQ(t.got.size(), 1u);
  ASSERT_EQ(f.got.size(), 1u);
  EXPECT_EQ(t.got[0].IntValue, 3);
  EXPECT_EQ(f.got[0].IntValue, 4);
}

TEST_F(Flow, IfElseNullOperandIsTrueOnlyAgainstNull) {
  for (uint8_t type = 0; type <= 5; ++type) {
    THIIf_else c;
    c.Type = type;
    SetInteger(c.Op2, 1);
    Probe t, f;
    c.onTrue = t.work();
    c.onFalse = f.work();
    FireNull(MakeEvent<&THIIf_else::doCompare>(&c));
    EXPECT_EQ(f.got.size(), 1u) << int(type);
    EXPECT_TRUE(t.got.empty()) << int(type);
  }
}

TEST_F(Flow, IfElseStrings) {
  auto check = [](uint8_t type, const char* a, const char* b) {
    THIIf_else c;
    c.Type = type;
    SetString(c.Op2, b);
    Probe t;
    c.onTrue = t.work();
    FireString(MakeEvent<&THIIf_else::doCompare>(&c), a);
    return !t.got.empty();
  };
  EXPECT_TRUE(check(THIIf_else::Equal, "abc", "abc"));
  EXPECT_FALSE(check(THIIf_else::Equal, "abc", "ABC"));
  EXPECT_TRUE(check(THIIf_else::LessEqual, "abc", "ABC"));
  EXPECT_TRUE(check(THIIf_else::LessEqual, "abc", "ABD"));
  EXPECT_FALSE(check(THIIf_else::Less, "abc", "ABC"));
  EXPECT_TRUE(check(THIIf_else::Greater, "b", "A"));
  EXPECT_TRUE(check(THIIf_else::NotEqual, "a", "A"));
}

TEST_F(Flow, IfElseRealsAndOtherKinds) {
  THIIf_else c;
  c.Type = THIIf_else::GreaterEqual;
  SetString(c.Op2, "1.5");
  Probe t, f;
  c.onTrue = t.work();
  c.onFalse = f.work();
  FireReal(MakeEvent<&THIIf_else::doCompare>(&c), 1.5);
  EXPECT_EQ(t.got.size(), 1u);
  TData arr;
  SetArray(arr, &c);
  FireEvent(MakeEvent<&THIIf_else::doCompare>(&c), arr);
  EXPECT_EQ(f.got.size(), 1u);
}

TEST_F(Flow, ForVisitsStartToEndThenStops) {
  THIFor loop;
  loop.Start = 21;
  loop.End = 23;
  Probe pass, stop;
  loop.onEvent = pass.work();
  loop.onStop = stop.work();
  FireInteger(MakeEvent<&THIFor::doFor>(&loop), 99);  // not taken: TakeIncoming is off
  ASSERT_EQ(pass.got.size(), 3u);
  EXPECT_EQ(pass.got[0].IntValue, 21);
  EXPECT_EQ(pass.got[2].IntValue, 23);
  EXPECT_EQ(stop.got.at(0).IntValue, 24);

  loop.IncludeEnd = false;
  FireNull(MakeEvent<&THIFor::doFor>(&loop));
  EXPECT_EQ(pass.got.size(), 5u);
  EXPECT_EQ(stop.got.at(1).IntValue, 23);

  loop.Start = 30;
  FireNull(MakeEvent<&THIFor::doFor>(&loop));
  EXPECT_EQ(pass.got.size(), 5u);
  EXPECT_EQ(stop.got.at(2).IntValue, 30);
}

TEST_F(Flow, ForCountsDownAndReachesIntegerLimits) {
  THIFor loop;
  loop.Start = 3;
  loop.End = 1;
  loop.Step = -1;
  Probe pass;
  loop.onEvent = pass.work();
  FireNull(MakeEvent<&THIFor::doFor>(&loop));
  ASSERT_EQ(pass.got.size(), 3u);
  EXPECT_EQ(pass.got[2].IntValue, 1);

  THIFor top;
  top.Start = 2147483646;
  top.End = 2147483647;
  Probe p2;
  top.onEvent = p2.work();
  FireNull(MakeEvent<&THIFor::doFor>(&top));  // must end
  EXPECT_EQ(p2.got.size(), 2u);
}

TEST_F(Flow, ForBoundsFromIncomingWhenTakeIncoming) {
  THIFor loop;
  loop.TakeIncoming = true;
  Probe pass;
  loop.onEvent = pass.work();
  std::vector<TData> nodes = {MakeInteger(5), MakeInteger(6)};
  TData d = Chain(nodes);
  FireEvent(MakeEvent<&THIFor::doFor>(&loop), d);
  ASSERT_EQ(pass.got.size(), 2u);
  EXPECT_EQ(pass.got[0].IntValue, 5);
}

TEST_F(Flow, CounterWrapsToTheBound) {
  THICounter c;
  c.Min = 0;
  c.Max = 6;
  Probe p;
  c.onNext = p.work();
  for (int i = 0; i < 8; ++i)
    FireNull(MakeEvent<&THICounter::doNext>(&c));
  std::vector<int> got;
  for (auto& d : p.got)
    got.push_back(d.IntValue);
  EXPECT_EQ(got, (std::vector<int>{1, 2, 3, 4, 5, 6, 0, 1}));
  c.Value = 5;
  c.Step = 3;
  FireNull(MakeEvent<&THICounter::doNext>(&c));
  EXPECT_EQ(p.got.back().IntValue, 0);
  c.Direction = 1;
  c.Value = 1;
  FireNull(MakeEvent<&THICounter::doNext>(&c));
  EXPECT_EQ(p.got.back().IntValue, 6);
}

TEST_F(Flow, ChangeMonPassesOnlyChanges) {
  THIChangeMon m;
  Probe p;
  m.onData = p.work();
  auto send = [&](TData d) { FireEvent(MakeEvent<&THIChangeMon::doData>(&m), d); };
  send(TData{});
  send(MakeInteger(5));
  send(MakeInteger(5));
  send(MakeString("5"));
  send(MakeInteger(-1));
  send(MakeInteger(-1));
  ASSERT_EQ(p.got.size(), 3u);
  EXPECT_EQ(p.got[0].IntValue, 5);
  EXPECT_EQ(p.got[1].StrValue, "5");
  EXPECT_EQ(p.got[2].IntValue, -1);
}

TEST_F(Flow, ChanelToIndexSendsTheChannel) {
  THIChanelToIndex c;
  Probe p;
  c.onIndex = p.work();
  FireString(MakeEvent<&THIChanelToIndex::doEvent>(&c, 3), "ignored");
  ASSERT_EQ(p.got.size(), 1u);
  EXPECT_EQ(p.got[0].IntValue, 3);
}

TEST_F(Flow, IndexToChanelSelectsOutput) {
  THIIndexToChanel s;
  s.SetCount(4);
  Probe p;
  s.onEvent[2] = p.work();
  auto send = [&](int i) {
    std::vector<TData> nodes = {MakeInteger(i), MakeString("x")};
    TData d = Chain(nodes);
    FireEvent(MakeEvent<&THIIndexToChanel::doEvent>(&s), d);
  };
  send(2);
  send(4);
  send(-1);
  ASSERT_EQ(p.got.size(), 1u);
  EXPECT_EQ(p.got[0].StrValue, "x");
}

TEST_F(Flow, ChainChannelsPackAndUnpack) {
  THIMT_ChanelToIndex pack;
  THIMT_IndexToChanel unpack;
  unpack.SetCount(6);
  Probe packed, out;
  pack.onIndex = MakeEvent<&THIMT_IndexToChanel::doEvent>(&unpack);
  unpack.onEvent[3] = out.chain();
  std::vector<TData> nodes = {MakeInteger(10), MakeInteger(20)};
  TData d = Chain(nodes);
  FireEvent(MakeEvent<&THIMT_ChanelToIndex::doEvent>(&pack, 3), d);
  ASSERT_EQ(out.chains.size(), 1u);
  EXPECT_EQ(out.chains[0], "10,20");

  THIMT_ChanelToIndex alone;
  alone.onIndex = packed.chain();
  FireEvent(MakeEvent<&THIMT_ChanelToIndex::doEvent>(&alone, 3), d);
  FireNull(MakeEvent<&THIMT_ChanelToIndex::doEvent>(&alone, 1));
  EXPECT_EQ(packed.chains, (std::vector<std::string>{"3,10,20", "1"}));
}
