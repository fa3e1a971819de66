// Test harness for the whole hero sheet on the headless backend: a temporary current folder with
// the sample data, a temporary program folder for config.ini and language files, a runner, and
// the dump read back into a table. The program folder is a portable one (it holds a language
// file) unless a test calls MakeInstalled(); XDG_CONFIG_HOME points into the temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/sheet_runner.h"
#include "app/simulator_input.h"
#include "runtime/element.h"
#include "scheme/main_form.h"
#include "tests/support/temp_folder.h"

// One window of a dump.
struct TWindowState {
  std::string Text;
  std::map<std::string, std::string> Flags;
  bool Bold() const { return Flag("bold") == "1"; }
  bool Checked() const { return Flag("checked") == "1"; }
  bool Visible() const { return Flag("visible") == "1"; }
  std::string Color() const { return Flag("color"); }
  std::string Flag(const std::string& k) const {
    auto it = Flags.find(k);
    return it == Flags.end() ? std::string("<none>") : it->second;
  }
};

// The dump as name -> state, and the names in dump order.
struct TDump {
  std::map<std::string, TWindowState> Windows;
  std::vector<std::string> Order;
  const TWindowState& operator[](const std::string& name) const;
  // Names whose flag bold is 1, in dump order, among those starting with prefix.
  std::vector<std::string> BoldNames(std::string_view prefix = {}) const;
};
TDump ParseDump(const std::string& text);

class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a file in the current (data) folder or in the program folder.
  void WriteData(const std::string& name, std::string_view bytes);
  void WriteProgram(const std::string& name, std::string_view bytes);
  std::string ReadProgram(const std::string& name) const;
  // The program folder becomes an installed bin/ (no config.ini, no language file beside it):
  // language files in ShareDir, config.ini in UserConfigDir.
  void MakeInstalled();
  void WriteShare(const std::string& name, std::string_view bytes);
  std::string ReadUserConfig() const;
  // Copies data/choice.ini and data/array.ini into the current folder.
  void CopySampleData();
  // Builds the sheet and runs start-up.
  void Start();
  // Runs a command; its output.
  std::string Do(std::string_view line);
  TDump Dump();
  // The text of one window.
  std::string Text(const std::string& name);
  // Value labels of a box, by item index, as texts.
  std::vector<std::string> Values(const std::string& box, int items);

  TempFolder Temp;
  std::filesystem::path DataDir, ProgramDir, OldDir;
  std::filesystem::path ShareDir;       // <prefix>/share/herosheet beside ProgramDir
  std::filesystem::path UserConfigDir;  // $XDG_CONFIG_HOME/herosheet
  std::string OldXdg;
  bool HadXdg = false;
  std::unique_ptr<TSheetRunner> Sheet;
  TSimulator* Mouse = nullptr;  // the simulated user of Sheet
};

// Records the calls that pass through one link, then forwards them unchanged.
class TSpy : public THIBase {
 public:
  TSpy(std::vector<std::string>* log, std::string name, THI_Event forward)
      : Log(log), Name(std::move(name)), Forward(forward) {}
  std::vector<std::string>* Log;
  std::string Name;
  THI_Event Forward;
  // When set, its answer is logged after the name ("name:answer").
  std::function<std::string()> Note;
  // When set, the first value received is logged after the name ("name=value").
  bool WithValue = false;
  void doEvent(TData& data, uint16_t);
};

// Puts a spy on a link slot; the spies are owned by the list.
TSpy* Spy(std::vector<std::unique_ptr<TSpy>>& spies, std::vector<std::string>* log,
          const std::string& name, THI_Event& slot);
