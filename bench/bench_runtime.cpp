// Runtime costs: forwarding chains, hub fan-out, chained reads.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "runtime/chanel.h"
#include "runtime/event.h"
#include "runtime/hub.h"

namespace {

class Forwarder : public THIBase {
 public:
  THI_Event onOut;
  void doWork(TData& d, uint16_t) { RedirectInteger(d, onOut, ToInteger(d) + 1); }
};

class Sink : public THIBase {
 public:
  int64_t sum = 0;
  void doWork(TData& d, uint16_t) { sum += ToInteger(d); }
};

void BM_ForwardingChain(benchmark::State& state) {
  InstallDispatchers();
  const auto n = static_cast<size_t>(state.range(0));
  std::vector<std::unique_ptr<Forwarder>> chain;
  for (size_t i = 0; i < n; ++i)
    chain.push_back(std::make_unique<Forwarder>());
  for (size_t i = 0; i + 1 < n; ++i)
    chain[i]->onOut = MakeEvent<&Forwarder::doWork>(chain[i + 1].get());
  Sink sink;
  chain.back()->onOut = MakeEvent<&Sink::doWork>(&sink);
  THI_Event start = MakeEvent<&Forwarder::doWork>(chain[0].get());
  for (auto _ : state) {
    TData d;
    SetInteger(d, 0);
    FireEvent(start, d);
    benchmark::DoNotOptimize(d.IntValue);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
  ResetDispatchers();
}
BENCHMARK(BM_ForwardingChain)->Arg(1000)->Arg(100000);

void BM_HubFanOut(benchmark::State& state) {
  InstallDispatchers();
  THIHub hub;
  hub.SetCount(static_cast<uint8_t>(state.range(0)));
  Sink sink;
  for (auto& e : hub.onEvent)
    e = MakeEvent<&Sink::doWork>(&sink);
  THI_Event start = MakeEvent<&THIHub::doEvent>(&hub);
  for (auto _ : state) {
    FireInteger(start, 1);
  }
  benchmark::DoNotOptimize(sink.sum);
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ResetDispatchers();
}
BENCHMARK(BM_HubFanOut)->Arg(3)->Arg(64);

// Packs a value chain onto a channel and unpacks it again, reading every value.
void BM_ChainedRead(benchmark::State& state) {
  InstallDispatchers();
  THIMT_ChanelToIndex pack;
  THIMT_IndexToChanel unpack;
  unpack.SetCount(4);
  pack.onIndex = MakeEvent<&THIMT_IndexToChanel::doEvent>(&unpack);
  class Reader : public THIBase {
   public:
    int64_t sum = 0;
    void doWork(TData& d, uint16_t) {
      THI_Event none;
      for (int i = 0; i < 3; ++i)
        sum += ReadInteger(d, none);
    }
  } reader;
  unpack.onEvent[2] = MakeEvent<&Reader::doWork>(&reader);
  TData c = MakeInteger(3), b = MakeInteger(2), a = MakeInteger(1);
  a.Next = &b;
  b.Next = &c;
  THI_Event start = MakeEvent<&THIMT_ChanelToIndex::doEvent>(&pack, 2);
  for (auto _ : state) {
    TData d = a;
    FireEvent(start, d);
  }
  benchmark::DoNotOptimize(reader.sum);
  ResetDispatchers();
}
BENCHMARK(BM_ChainedRead);

}  // namespace
