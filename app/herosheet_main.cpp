// herosheet: the hero sheet in a desktop window. Data files are read from the current folder,
// config.ini and the language files from the program's folder or, installed, from the places
// of platform/file_layout.h.
#include <cstdio>

#include "app/entry.h"
#include "app/native_backend.h"

int main(int argc, char** argv) {
  if (WantsCredits(argc, argv)) {
    // A box on the desktop; standard error only where no display can be opened.
    if (!ShowNativeMessageBox(argc, argv, CreditText(), CreditCaption())) ShowCredits();
    return 0;
  }
  if (!InstallNativeBackend(argc, argv)) {
    std::fputs("herosheet: no display can be opened (is DISPLAY or WAYLAND_DISPLAY set?)\n",
               stderr);
    return 1;
  }
  // The toolkit has taken its own options out of argv: the rest are ours.
  TSheetOptions options;
  if (!ReadSheetOptions(argc, argv, options)) {
    std::string_view usage = SheetUsage();
    std::fwrite(usage.data(), 1, usage.size(), stderr);
#ifdef _WIN32
    ShowNativeMessageBox(argc, argv, usage, "herosheet");
#endif
    RemoveNativeBackend();
    return 2;
  }
  int code = RunHeroSheet(options);
  RemoveNativeBackend();
  return code;
}
