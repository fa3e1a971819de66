#include "app/entry.h"

#include <string_view>

#include "app/sheet.h"
#include "platform/os.h"

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

int RunHeroSheet(int argc, char** argv) {
  if (WantsCredits(argc, argv)) {
    ShowCredits();
    return 0;
  }
  TSheet sheet;
  sheet.Run();
  return 0;
}
