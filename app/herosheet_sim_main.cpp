// herosheet-sim: the hero sheet on the headless backend, driven by commands on standard input,
// one per line, answering on standard output. Data files are read from the current folder,
// config.ini and the language files where the program folder (--program-dir, default: the
// folder of this program) says (platform/file_layout.h). --answers CODE starts the sheet with
// those answers clicked. A message the sheet shows (a paste it cannot open) is printed as a line
// "message: CAPTION: TEXT".
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "app/entry.h"
#include "app/fault.h"
#include "app/font_dialog_input.h"
#include "app/share_link.h"
#include "app/sheet_runner.h"
#include "app/simulator_input.h"
#include "platform/os.h"
#include "ui/backends/headless/backend_headless.h"

namespace {

int Main(int argc, char** argv) {
  std::string dir, answers;
  bool hasAnswers = false;
  for (int i = 1; i < argc; ++i) {
    if (TakeOption(argc, argv, i, "--program-dir", dir)) continue;
    if (TakeOption(argc, argv, i, "--answers", answers)) {
      hasAnswers = true;
      continue;
    }
    std::fprintf(stderr, "usage: herosheet-sim [--program-dir DIR] [--answers CODE] < commands\n");
    return 2;
  }
  if (!dir.empty()) {
    if (!os::IsPathSeparator(dir.back())) dir += os::PathSeparator();
    os::SetProgramFolder(dir);
  }

  std::ios::sync_with_stdio(false);
  SetBackend(&HeadlessBackend());
  TSheetRunner runner(std::make_unique<TSimulatorInput>());
  if (hasAnswers) OpenAnswerCode(*runner.Sheet(), runner.Input(), answers, "herosheet-sim");
  // A font dialog opened by a command takes its answer from the next input line.
  TFontDialogInput dialogs(
      [](std::string& l) { return static_cast<bool>(std::getline(std::cin, l)); });
  std::string line;
  bool more = true;
  while (more && dialogs.NextLine(line)) {
    std::string out = line.compare(0, 5, "font ") == 0 || line == "font"
                          ? std::string("error: no font dialog is open\n")
                          : runner.Execute(line, &more);
    out = dialogs.TakeOutput() + out;
    // A message the sheet showed meanwhile: one line each.
    for (const std::string& m : HeadlessBackend().Messages())
      out += "message: " + m + "\n";
    HeadlessBackend().Messages().clear();
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  InstallFaultHandler();
  return RunGuarded([&] { return Main(argc, argv); });
}
