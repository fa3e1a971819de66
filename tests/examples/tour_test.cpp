// The element tour, driven as a user would: the tracking tip, the modal options form with its
// font dialog, and the options form's placement in the registry store.
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include "examples/tour/tour_scheme.h"
#include "platform/registry.h"
#include "tests/support/ui_fixture.h"

using TourTest = UiTest;

TEST_F(TourTest, TrackingTipModalOptionsAndTheirPlacement) {
  TempFolder dir;
  dir.MakeProgramFolder();
  TSimulator sim;
  // A key of its own, removed at the end.
  const std::string place = "HsTourTest-" + dir.Root().filename().string();
  std::optional<TTourScheme> tour(std::in_place, place);
  Start(tour->MainForm());
  auto label = [&](const char* role) -> TControl& { return *tour->Label(role)->Control; };
  TControl* tip = label("tracked").ToolTip();
  TControl* options = tour->OptionsForm()->Control;
  TFontChoice courier;
  courier.Face = "Courier New";
  courier.PointTenths = 120;
  HeadlessBackend().FontDialog = [&](const TFontRec&, TFontChoice& out) {
    out = courier;
    return true;
  };
  struct Case {
    const char* name;
    std::function<void()> input;
    bool tipShown, modal;
    const char* result;  // the main form's result line
  };
  const Case cases[] = {
      {"started", [] {}, false, false, "Options not opened yet"},
      {"on the tracked label", [&] { sim.MoveTo(label("tracked"), 30, 12); }, true, false,
       "Options not opened yet"},
      {"off it", [&] { sim.MoveTo(label("result")); }, false, false, "Options not opened yet"},
      {"Options...", [&] { sim.Click(label("options")); }, false, true, "Options not opened yet"},
      {"the main form takes no input",
       [&] {
         sim.MoveTo(label("tracked"), 30, 12);
         sim.Click(label("options"));
       },
       false, true, "Options not opened yet"},
      {"Font...", [&] { sim.Click(label("font")); }, false, true, "Options not opened yet"},
      {"OK", [&] { sim.Click(label("ok")); }, false, false, "Options ended with 1"},
      {"again, closed by its close box",
       [&] {
         sim.Click(label("options"));
         options->NotifyMoved(33, 44);
         sim.CloseForm(*options);
       },
       false, false, "Options ended with -1"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    k.input();
    EXPECT_EQ(tip->TipShown(), k.tipShown);
    EXPECT_EQ(options->Modal(), k.modal);
    EXPECT_EQ(options->Visible(), k.modal);
    EXPECT_EQ(label("result").Text(), k.result);
  }
  EXPECT_EQ(label("sample").Font().Name, "Courier New");
  EXPECT_EQ(label("sample").Font().Size, 12);
  // The close saved the options form's placement; the next tour's first show loads it.
  std::vector<std::optional<int32_t>> v;
  EXPECT_TRUE(os::ReadRegistryInts(os::RegistryRoot::CurrentUser, "Software\\" + place,
                                   {"Left", "Top"}, v));
  EXPECT_EQ(v, (std::vector<std::optional<int32_t>>{33, 44}));
  HeadlessBackend().FontDialog = nullptr;
  tour.reset();
  ResetApplication();
  InitProcs.clear();
  InstallDispatchers();
  tour.emplace(place);
  Start(tour->MainForm());
  sim.Click(*tour->Label("options")->Control);
  EXPECT_EQ(tour->OptionsForm()->Control->Left(), 33);
  EXPECT_EQ(tour->OptionsForm()->Control->Top(), 44);
  tour.reset();
#ifdef _WIN32
  std::system(("reg delete \"HKCU\\Software\\" + place + "\" /f >NUL 2>&1").c_str());
#endif
}
