// The data path at scale: loading choice.ini / array.ini, and re-applying one answer.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "scheme/answer_effects.h"
#include "scheme/build.h"
#include "scheme/choice_loader.h"
#include "scheme/result_tables.h"

namespace {

namespace fs = std::filesystem;

// A temporary current folder holding generated data files.
class DataFolder {
 public:
  DataFolder() : old_(fs::current_path()) {
    dir_ =
        fs::temp_directory_path() / ("hs_bench_scheme_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  ~DataFolder() {
    fs::current_path(old_);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  // names entries in array.ini; lines answer lines spread over seven blocks (the last block
  // takes the remainder), every line naming one of the entries.
  static void Write(int names, int lines) {
    std::string codes;
    for (int i = 0; i < names; ++i)
      codes += "name_" + std::to_string(i) + "=" + std::to_string(100 + i % 400) + "\r\n";
    std::ofstream("array.ini", std::ios::binary) << codes;
    std::string text;
    int perBlock = lines / 7;
    int written = 0;
    for (int b = 0; b < 7; ++b) {
      text += "-- choice " + std::to_string(b) + "\r\n";
      int n = b < 6 ? perBlock : lines - written;
      for (int i = 0; i < n; ++i, ++written)
        text += std::to_string(i % 7) + " name_" + std::to_string((written * 7919) % names) + "=" +
                std::to_string(i % 5 + 1) + "\r\n";
      text += "-- end\r\n";
    }
    std::ofstream("choice.ini", std::ios::binary) << text;
  }

 private:
  fs::path old_;
  fs::path dir_;
};

// The loader with its line commands going into seven lists.
struct LoaderHost : TScheme {
  LoaderHost() {
    loader = build::Container(*this, nullptr, 1, 0);
    commands = build::MTIndexToChanel(*this, 10);
    for (int l = 0; l < 7; ++l) {
      lists[l] = build::StrList(*this, "");
      commands->onEvent[3 + l] = MakeEvent<&THIStrList::doAdd>(lists[l]);
    }
    loader->onEvent[0] = MakeEvent<&THIMT_IndexToChanel::doEvent>(commands);
    loader->SetMake(&MakeSubScheme<TChoiceLoader>);
  }
  void Load() {
    for (auto* l : lists)
      l->Lines.Clear();
    TData d;
    FireEvent(build::ContainerWork(loader, 0), d);
  }
  THIMultiElement* loader;
  THIMT_IndexToChanel* commands;
  THIStrList* lists[7];
};

void BM_LoadChoiceFiles(benchmark::State& state) {
  InstallDispatchers();
  DataFolder folder;
  int lines = static_cast<int>(state.range(0));
  DataFolder::Write(lines / 10, lines);
  LoaderHost host;
  for (auto _ : state)
    host.Load();
  size_t stored = 0;
  for (auto* l : host.lists)
    stored += l->Lines.Count();
  if (stored != static_cast<size_t>(lines)) state.SkipWithError("lines were lost");
  state.SetComplexityN(lines);
  state.SetItemsProcessed(state.iterations() * lines);
  ResetDispatchers();
  ClearGlobalVars();
}
BENCHMARK(BM_LoadChoiceFiles)
    ->RangeMultiplier(2)
    ->Range(12500, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// Re-applying one answer of a question with 70 lines, while the other questions hold
// range(0) lines: the cost follows the question's own list only.
void BM_ReapplyOneAnswer(benchmark::State& state) {
  InstallDispatchers();
  TScheme host;
  auto* tables = build::Container(host, nullptr, 0, 0);
  auto* own = build::StrList(host, "");
  auto* other = build::StrList(host, "");
  auto* effects = build::Container(host, nullptr, 4, 1);
  auto* others = build::Container(host, nullptr, 4, 1);
  effects->Data[0] = MakeEvent<&THIStrList::GetArray>(own);
  others->Data[0] = MakeEvent<&THIStrList::GetArray>(other);
  tables->SetMake(&MakeSubScheme<TResultTables>);
  effects->SetMake(&MakeSubScheme<TAnswerEffects>);
  others->SetMake(&MakeSubScheme<TAnswerEffects>);
  for (int i = 0; i < 70; ++i)
    own->Lines.Add(std::to_string(i % 7) + " " + std::to_string(101 + i % 4) + " 1");
  for (int64_t i = 0; i < state.range(0); ++i)
    other->Lines.Add("1 201 1");
  TData d;
  FireEvent(build::ContainerWork(tables, 0), d);
  for (auto _ : state) {
    TData k = MakeInteger(3);
    FireEvent(build::ContainerWork(effects, 2), k);
  }
  ResetDispatchers();
  ClearGlobalVars();
}
BENCHMARK(BM_ReapplyOneAnswer)->Arg(0)->Arg(100000);

}  // namespace
