// herosheet-tour: the element tour (tour_scheme.h) in a desktop window.
#include <cstdio>

#include "app/native_backend.h"
#include "controls/app.h"
#include "examples/tour/tour_scheme.h"
#include "runtime/event.h"

int main(int argc, char** argv) {
  if (!InstallNativeBackend(argc, argv)) {
    std::fputs("herosheet-tour: no display can be opened (is DISPLAY or WAYLAND_DISPLAY set?)\n",
               stderr);
    return 1;
  }
  {
    TTourScheme tour;
    Start(tour.MainForm());
    Run(ApplicationWindow());
    ResetDispatchers();
  }
  RemoveNativeBackend();
  return 0;
}
