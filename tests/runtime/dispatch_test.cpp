// The two dispatchers, firing, redirects and the start-up list.
#include <memory>

#include "runtime/initprocs.h"
#include "runtime_fixture.h"

namespace {

// Forwards what it gets to onOut by a redirect, adding one to integers.
class Forwarder : public THIBase {
 public:
  THI_Event onOut;
  int calls = 0;
  void doWork(TData& d, uint16_t) {
    ++calls;
    RedirectInteger(d, onOut, ToInteger(d) + 1);
  }
};

}  // namespace

using Dispatch = RuntimeTest;

TEST_F(Dispatch, UnlinkedEventLeavesRecordUnchanged) {
  THI_Event none;
  TData d = MakeInteger(4);
  FireEvent(none, d);
  EXPECT_EQ(d.Kind, data_int);
  EXPECT_EQ(d.IntValue, 4);
}

TEST_F(Dispatch, FireEventHandsTheCallersOwnRecord) {
  Forwarder f;
  TData d = MakeInteger(1);
  FireEvent(MakeEvent<&Forwarder::doWork>(&f), d);
  // redirected to an unlinked event: the loop ends with the flag cleared
  EXPECT_EQ(d.Kind, data_int);
  EXPECT_EQ(d.IntValue, 2);
  EXPECT_EQ(f.calls, 1);
}

TEST_F(Dispatch, RedirectCallsTargetAfterTheMethodReturns) {
  Forwarder f;
  Probe p;
  f.onOut = p.work(7);
  TData d = MakeInteger(4);
  FireEvent(MakeEvent<&Forwarder::doWork>(&f), d);
  ASSERT_EQ(p.got.size(), 1u);
  EXPECT_EQ(p.got[0].IntValue, 5);
  EXPECT_EQ(p.indexes[0], 7);
  EXPECT_EQ(d.Kind, data_int);
  EXPECT_EQ(d.IntValue, 5);
}

TEST_F(Dispatch, FireVariantsDeliverFreshRecords) {
  Probe p;
  FireNull(p.work());
  FireInteger(p.work(), 3);
  FireString(p.work(), "s");
  FireReal(p.work(), 1.5);
  ASSERT_EQ(p.got.size(), 4u);
  EXPECT_EQ(p.got[0].Kind, data_null);
  EXPECT_EQ(p.got[1].IntValue, 3);
  EXPECT_EQ(p.got[2].StrValue, "s");
  EXPECT_EQ(p.got[3].RealValue, 1.5);
}

TEST_F(Dispatch, FireDataSharesTheChainButNotTheHead) {
  TData tail = MakeInteger(20);
  TData head = MakeInteger(10);
  head.Next = &tail;
  Probe p;
  FireData(p.chain(), head);
  ASSERT_EQ(p.chains.size(), 1u);
  EXPECT_EQ(p.chains[0], "10,20");
  Forwarder f;
  FireData(MakeEvent<&Forwarder::doWork>(&f), head);
  EXPECT_EQ(head.IntValue, 10);  // the copy was rewritten, not the original
  EXPECT_EQ(head.Next, &tail);
}

TEST_F(Dispatch, NothingIsDeliveredBeforeStartOrAfterShutDown) {
  Probe p;
  Source s;
  s.value = MakeString("linked");
  ResetDispatchers();
  FireInteger(p.work(), 1);
  TData d;
  EXPECT_EQ(ReadString(d, s.point()), "");  // the answer stays NULL
  EXPECT_EQ(s.calls, 0);
  InstallDispatchers();
  FireInteger(p.work(), 2);
  EXPECT_EQ(ReadString(d, s.point()), "linked");
  ResetDispatchers();
  FireInteger(p.work(), 3);
  ASSERT_EQ(p.got.size(), 1u);
  EXPECT_EQ(p.got[0].IntValue, 2);
}

TEST_F(Dispatch, LongForwardingChainRunsAsALoop) {
  // Nested calls this deep would overflow the default stack many times over.
  const int n = 1000000;
  std::vector<std::unique_ptr<Forwarder>> chain;
  chain.reserve(n);
  for (int i = 0; i < n; ++i)
    chain.push_back(std::make_unique<Forwarder>());
  for (int i = 0; i + 1 < n; ++i)
    chain[i]->onOut = MakeEvent<&Forwarder::doWork>(chain[i + 1].get());
  Probe end;
  chain.back()->onOut = end.work();
  TData d = MakeInteger(0);
  FireEvent(MakeEvent<&Forwarder::doWork>(chain[0].get()), d);
  ASSERT_EQ(end.got.size(), 1u);
  EXPECT_EQ(end.got[0].IntValue, n);
}

namespace {

struct Recorder {
  std::vector<int>* log;
  int id;
  void Run() {
    log->push_back(id);
    if (id == 1) {
      static Recorder late{nullptr, 3};
      late.log = log;
      AddInitProc<&Recorder::Run>(&late);
    }
  }
};

}  // namespace

TEST_F(Dispatch, InitProcsRunOnceIncludingEntriesAddedWhileRunning) {
  InitDone = false;
  std::vector<int> log;
  Recorder a{&log, 1}, b{&log, 2};
  AddInitProc<&Recorder::Run>(&a);
  AddInitProc<&Recorder::Run>(&b);
  RunInitProcs();
  EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(InitDone);
  EXPECT_TRUE(InitProcs.empty());
  RunInitProcs();
  EXPECT_EQ(log.size(), 3u);
}
