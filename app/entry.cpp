#include "app/entry.h"

#include <string_view>

#include "app/control_input.h"
#include "app/edit_shortcuts.h"
#include "app/share_link.h"
#include "app/sheet.h"
#include "platform/os.h"
#include "ui/backend.h"

bool WantsCredits(int argc, char** argv) {
  return argc > 1 && argv[1] && std::string_view(argv[1]) == "/ih";
}

std::string_view CreditText() {
  return "Hero sheet: a character creation helper.\r\n"
         "Answers and totals come from choice.ini and array.ini.";
}

std::string_view CreditCaption() {
  return "About";
}

void ShowCredits() {
  os::ShowMessageBox(CreditText(), CreditCaption());
}

bool TakeOption(int argc, char** argv, int& i, std::string_view name, std::string& value) {
  std::string_view a = argv[i];
  if (a == name && i + 1 < argc && argv[i + 1]) {
    value = argv[++i];
    return true;
  }
  if (a.size() > name.size() && a.substr(0, name.size()) == name && a[name.size()] == '=') {
    value = std::string(a.substr(name.size() + 1));
    return true;
  }
  return false;
}

bool ReadSheetOptions(int argc, char** argv, TSheetOptions& options) {
  for (int i = 1; i < argc && argv[i]; ++i) {
    if (!TakeOption(argc, argv, i, "--answers", options.Answers)) return false;
    options.HasAnswers = true;
  }
  return true;
}

bool ArgumentsMayBeValid(int argc, char** argv) {
  bool afterOption = false;  // a word here may be the value of the option before it
  for (int i = 1; i < argc && argv[i]; ++i) {
    std::string_view a = argv[i];
    if (a == "--answers") {
      if (i + 1 >= argc) return false;
      ++i;
      afterOption = false;
    } else if (!a.empty() && a[0] == '-') {
      afterOption = true;
    } else if (afterOption) {
      afterOption = false;
    } else {
      return false;
    }
  }
  return true;
}

std::string_view SheetUsage() {
  return "usage: herosheet [/ih | --answers CODE]\n";
}

int RunHeroSheet(const TSheetOptions& options) {
  TControlInput input;  // outlives the sheet: the shortcuts click through it
  TSheet sheet;
  WireEditShortcuts(sheet, input);
  std::string problem;
  if (options.HasAnswers && !OpenAnswerCode(sheet, input, options.Answers, "herosheet", &problem)) {
#ifdef _WIN32
    // A windowed program's standard error goes nowhere a person looks.
    Backend().ShowMessage(&sheet.Form(), problem, "herosheet");
#endif
  }
  sheet.Run();
  return 0;
}
