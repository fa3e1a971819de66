// The element tour, driven as a user would: the tracking tip, and the modal options form with
// its font dialog.
#include <cstdlib>
#include <functional>
#include <optional>

#include "examples/tour/tour_scheme.h"
#include "tests/support/ui_fixture.h"

using TourTest = UiTest;

TEST_F(TourTest, TrackingTipAndModalOptions) {
  TempFolder dir;
  dir.MakeProgramFolder();
  TSimulator sim;
  std::optional<TTourScheme> tour(std::in_place, "HsTourTest-" + dir.Root().filename().string());
  Start(tour->MainForm());
  auto label = [&](const char* role) -> TControl& { return *tour->Label(role)->Control; };
  TControl* tip = label("tracked").ToolTip();
  TControl* options = tour->OptionsForm()->Control;
  HeadlessBackend().FontDialog = [](const TFontRec&, TFontChoice& out) {
    out.Face = "Courier New";
    out.PointTenths = 120;
    return true;
  };
  const char* start = "Options not opened yet";
  const struct {
    const char* name;
    std::function<void()> input;
    bool tipShown, modal;
    const char* result;  // the main form's result line
  } cases[] = {
      {"on the tracked label", [&] { sim.MoveTo(label("tracked"), 30, 12); }, true, false, start},
      {"Options...", [&] { sim.Click(label("options")); }, false, true, start},
      {"the main form takes no input", [&] { sim.MoveTo(label("tracked"), 30, 12); }, false, true,
       start},
      {"Font... and OK",
       [&] {
         sim.Click(label("font"));
         sim.Click(label("ok"));
       },
       false, false, "Options ended with 1"},
      {"again, closed by its close box",
       [&] {
         sim.Click(label("options"));
         sim.CloseForm(*options);
       },
       false, false, "Options ended with -1"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    k.input();
    EXPECT_EQ(tip->TipShown(), k.tipShown);
    EXPECT_EQ(options->Modal(), k.modal);
    EXPECT_EQ(options->Visible(), k.modal);
    EXPECT_EQ(label("result").Text(), k.result);
  }
  EXPECT_EQ(label("sample").Font().Name, "Courier New");
  HeadlessBackend().FontDialog = nullptr;
  tour.reset();
#ifdef _WIN32
  std::system(("reg delete \"HKCU\\Software\\HsTourTest-" + dir.Root().filename().string() +
               "\" /f >NUL 2>&1")
                  .c_str());
#endif
}
