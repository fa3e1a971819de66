// herosheet: the hero sheet in a desktop window. Data files are read from the current folder,
// config.ini and the language files from the program's folder or, installed, from the places
// of platform/file_layout.h.
#include <cstdio>

#include "app/entry.h"
#include "app/fault.h"
#include "app/native_backend.h"

namespace {

// The usage line on standard error (and in a box on Windows, where nobody sees that): status 2.
int Usage(int& argc, char** argv) {
  std::string_view usage = SheetUsage();
  std::fwrite(usage.data(), 1, usage.size(), stderr);
#ifdef _WIN32
  ShowNativeMessageBox(argc, argv, usage, "herosheet");
#else
  (void)argc, (void)argv;
#endif
  return 2;
}

int Main(int argc, char** argv) {
  if (WantsCredits(argc, argv)) {
    // A box on the desktop; standard error only where no display can be opened.
    if (!ShowNativeMessageBox(argc, argv, CreditText(), CreditCaption())) ShowCredits();
    return 0;
  }
  if (!ArgumentsMayBeValid(argc, argv)) return Usage(argc, argv);
  if (!InstallNativeBackend(argc, argv)) {
    std::fputs("herosheet: no display can be opened (is DISPLAY or WAYLAND_DISPLAY set?)\n",
               stderr);
    return 1;
  }
  // The toolkit has taken its own options out of argv: the rest are ours.
  TSheetOptions options;
  if (!ReadSheetOptions(argc, argv, options)) {
    RemoveNativeBackend();
    return Usage(argc, argv);
  }
  int code = RunHeroSheet(options);
  RemoveNativeBackend();
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  InstallFaultHandler();
  return RunGuarded([&] { return Main(argc, argv); });
}
