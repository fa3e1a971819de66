// Loading big text files into line lists and integer arrays, and by-name lookups in an array
// of many names.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "elements/integerarray.h"
#include "elements/strlist.h"
#include "elements/tstrlist.h"

namespace {

// A name=value text of about `bytes` bytes with CR LF line ends.
std::string MakeText(size_t bytes) {
  std::string text;
  text.reserve(bytes + 64);
  for (size_t i = 0; text.size() < bytes; ++i) {
    text += "name";
    text += std::to_string(i);
    text += '=';
    text += std::to_string(static_cast<int>(i * 7919 % 100000) - 50000);
    text += "\r\n";
  }
  return text;
}

// A temporary file holding text, removed at the end of the program.
class TempFile {
 public:
  explicit TempFile(const std::string& text) {
    path_ = "/tmp/hs-bench-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++);
    std::ofstream(path_, std::ios::binary).write(text.data(), static_cast<long>(text.size()));
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  static inline int counter_ = 0;
};

void BM_StrListLoadFile(benchmark::State& state) {
  size_t bytes = static_cast<size_t>(state.range(0)) << 20;
  TempFile file(MakeText(bytes));
  THIStrList list;
  list.FileName = file.Path();
  for (auto _ : state) {
    TData d;
    list.doLoad(d, 0);
    benchmark::DoNotOptimize(list.Lines.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_StrListLoadFile)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_StrListSetText(benchmark::State& state) {
  std::string text = MakeText(static_cast<size_t>(state.range(0)) << 20);
  TStrList list;
  for (auto _ : state) {
    list.SetText(text);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StrListSetText)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Complexity();

void BM_IntegerArrayLoadText(benchmark::State& state) {
  size_t bytes = static_cast<size_t>(state.range(0)) << 20;
  TempFile file(MakeText(bytes));
  THIIntegerArray arr;
  arr.TextMode = true;
  arr.ByName = true;
  arr.FileName = file.Path();
  for (auto _ : state) {
    TData d;
    arr.doLoad(d, 0);
    benchmark::DoNotOptimize(arr.Size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_IntegerArrayLoadText)
    ->Arg(1)
    ->Arg(10)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// One by-name Get in an array of range(0) names: constant time, whatever the size.
void BM_IntegerArrayGetByName(benchmark::State& state) {
  size_t n = static_cast<size_t>(state.range(0));
  THIIntegerArray arr;
  arr.ByName = true;
  std::string text;
  for (size_t i = 0; i < n; ++i)
    text += "name" + std::to_string(i) + "=" + std::to_string(i) + "\r";
  arr.LoadText(text);
  std::vector<TData> keys;
  for (size_t i = 0; i < 1024; ++i)
    keys.push_back(MakeString("name" + std::to_string(i * 7919 % n)));
  size_t k = 0;
  for (auto _ : state) {
    TData r;
    benchmark::DoNotOptimize(arr.Intf.Get(keys[k++ & 1023], r));
  }
}
BENCHMARK(BM_IntegerArrayGetByName)->Arg(1000)->Arg(100000)->Arg(1000000);

// Appending through the interface keeps the name index valid at constant cost.
void BM_IntegerArrayAdd(benchmark::State& state) {
  for (auto _ : state) {
    THIIntegerArray arr;
    arr.ByName = true;
    for (int i = 0; i < 100000; ++i)
      arr.Intf.Add(MakeInteger(i));
    benchmark::DoNotOptimize(arr.Size());
  }
}
BENCHMARK(BM_IntegerArrayAdd)->Unit(benchmark::kMillisecond);

}  // namespace
