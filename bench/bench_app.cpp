// The whole hero sheet on the headless backend with the sample data: a commit, a hover preview,
// building the main scheme with its start-up.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <memory>
#include <string>

#include "app/sheet_runner.h"
#include "app/simulator_input.h"
#include "platform/os.h"
#include "ui/backend.h"
#include "ui/backends/headless/simulator.h"
#include "ui/control.h"

namespace {

namespace fs = std::filesystem;

// A temporary current folder with the sample data and an empty program folder; the sheet runs
// on the headless backend.
class TSampleFolder {
 public:
  TSampleFolder() {
    old_ = fs::current_path();
    base_ = fs::temp_directory_path() / ("hs_bench_" + std::to_string(::getpid()));
    fs::create_directories(base_ / "program");
    fs::path data = fs::path(__FILE__).parent_path().parent_path() / "data";
    for (const char* n : {"choice.ini", "array.ini"})
      fs::copy_file(data / n, base_ / n, fs::copy_options::overwrite_existing);
    fs::current_path(base_);
    os::SetProgramFolder((base_ / "program").string() + "/");
    SetBackend(&HeadlessBackend());
  }
  ~TSampleFolder() {
    SetBackend(nullptr);
    os::SetProgramFolder("");
    fs::current_path(old_);
    std::error_code ec;
    fs::remove_all(base_, ec);
  }

 private:
  fs::path old_, base_;
};

// The simulated user as a sheet's input; mouse keeps a pointer to it.
std::unique_ptr<TSheetInput> Input(TSimulatorInput*& mouse) {
  auto input = std::make_unique<TSimulatorInput>();
  mouse = input.get();
  return input;
}

// A click on an answer: the commit through every question, the derived values and the refresh
// of every value label. Two answers in turn, so every click changes the totals.
void BM_Commit(benchmark::State& state) {
  TSampleFolder folder;
  TSheetRunner sheet(std::make_unique<TSimulatorInput>());
  sheet.Execute("click q1.1");
  TControl* a = sheet.Find("q3.1");
  TControl* b = sheet.Find("q3.2");
  bool flip = false;
  for (auto _ : state) {
    (flip ? a : b)->Click();
    flip = !flip;
  }
  if (sheet.Find("attrib.value.3")->Text() == "102") state.SkipWithError("no refresh");
}
BENCHMARK(BM_Commit);

// The mouse moving onto another answer: un-highlight everything, bold caption, preview.
void BM_HoverPreview(benchmark::State& state) {
  TSampleFolder folder;
  TSimulatorInput* mouse = nullptr;
  TSheetRunner sheet(Input(mouse));
  sheet.Execute("click q1.1");
  TControl* a = sheet.Find("q2.1");
  TControl* b = sheet.Find("q4.1");
  bool flip = false;
  for (auto _ : state) {
    mouse->Simulator().MoveTo(flip ? *a : *b);
    flip = !flip;
  }
}
BENCHMARK(BM_HoverPreview);

// The mouse moving within the same answer: no un-highlight, the preview again.
void BM_HoverSameAnswer(benchmark::State& state) {
  TSampleFolder folder;
  TSimulatorInput* mouse = nullptr;
  TSheetRunner sheet(Input(mouse));
  sheet.Execute("click q1.1");
  TControl* a = sheet.Find("q2.1");
  for (auto _ : state)
    mouse->Simulator().MoveTo(*a);
}
BENCHMARK(BM_HoverSameAnswer);

// Building the main scheme with every sub-scheme and running start-up (load and reset).
void BM_BuildAndStart(benchmark::State& state) {
  TSampleFolder folder;
  for (auto _ : state) {
    auto sheet = std::make_unique<TSheetRunner>(std::make_unique<TSimulatorInput>());
    benchmark::DoNotOptimize(sheet.get());
    state.PauseTiming();
    sheet.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildAndStart)->Unit(benchmark::kMillisecond);

}  // namespace
