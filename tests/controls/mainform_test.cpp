// The main form, start-up, the message loop, closing and placement.
#include "controls/mainform.h"

#include <functional>

#include "controls/label.h"
#include "controls/radiobutton.h"
#include "tests/support/ui_fixture.h"

namespace {

struct App {
  THIMainForm form;
  Probe created, closed, moved;
  App() {
    form.Left = 0;
    form.Top = 0;
    form.Width = 555;
    form.Height = 445;
    form.SetCaption("Sheet");
    form.SetBorderStyle(1);
    form.Place = "config.ini\\main";
    form.onCreate = created.work();
    form.onClose = closed.work();
    form.Init();
  }
};

}  // namespace

using MainFormTest = UiTest;

TEST_F(MainFormTest, StartFiresCreateThenShowsAndLoadsPlacementOnce) {
  TempFolder dir;
  dir.MakeProgramFolder();
  dir.Write("config.ini", "[main]\r\nLeft=40\r\nTop=50\r\nWidth=600\r\n");
  ResetDispatchers();
  App app;
  EXPECT_EQ(app.form.OwnsApplication, 1);
  ASSERT_NE(ApplicationWindow(), nullptr);
  EXPECT_EQ(ApplicationWindow()->Text(), "Sheet");
  EXPECT_TRUE(app.form.Control->HasWindow());
  EXPECT_FALSE(app.form.Control->Visible());  // built hidden
  EXPECT_EQ(app.form.PlacementDone, 0);

  // onCreate fires while the form is still hidden.
  bool visibleAtCreate = true;
  struct Check : THIBase {
    THIMainForm* f;
    bool* out;
    void doWork(TData&, uint16_t) { *out = f->Control->Visible(); }
  } check;
  check.f = &app.form;
  check.out = &visibleAtCreate;
  app.form.onCreate = MakeEvent<&Check::doWork>(&check);
  Start(&app.form);
  EXPECT_FALSE(visibleAtCreate);
  EXPECT_TRUE(app.form.Control->Visible());
  EXPECT_EQ(app.form.PlacementDone, 1);
  EXPECT_EQ(app.form.Control->Left(), 40);
  EXPECT_EQ(app.form.Control->Top(), 50);
  EXPECT_EQ(app.form.Control->Width(), 600);
  EXPECT_EQ(app.form.Control->Height(), 445);  // missing key: the current value

  // A second show does not load again.
  dir.Write("config.ini", "[main]\r\nLeft=1\r\n");
  app.form.Control->SetVisible(false);
  app.form.Control->SetVisible(true);
  EXPECT_EQ(app.form.Control->Left(), 40);
}

TEST_F(MainFormTest, ClosingSavesPlacementAndTheNextStartRestoresIt) {
  TempFolder dir;
  dir.MakeProgramFolder();
  {
    App app;
    Start(&app.form);
    EXPECT_EQ(app.form.Control->Left(), 0);  // no config.ini yet
    app.form.Control->NotifyMoved(120, 80);  // the user moved the window
    TSimulator sim;
    EXPECT_TRUE(sim.CloseForm(*app.form.Control));
    EXPECT_EQ(app.closed.count(), 1u);
    EXPECT_FALSE(app.form.Control->HasWindow());
  }
  std::string ini = dir.Read("config.ini");
  EXPECT_NE(ini.find("Left=120"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Top=80"), std::string::npos);
  EXPECT_NE(ini.find("Width=555"), std::string::npos);
  EXPECT_NE(ini.find("Height=445"), std::string::npos);
  EXPECT_LT(ini.find("Left="), ini.find("Height="));

  ResetApplication();
  InitProcs.clear();
  InstallDispatchers();
  App again;
  Start(&again.form);
  EXPECT_EQ(again.form.Control->Left(), 120);
  EXPECT_EQ(again.form.Control->Top(), 80);
}

TEST_F(MainFormTest, EmptyPlaceKeepsTheSchemePosition) {
  TempFolder dir;
  dir.MakeProgramFolder();
  dir.Write("config.ini", "[main]\r\nLeft=40\r\n");
  App app;
  app.form.Place = "";
  Start(&app.form);
  EXPECT_EQ(app.form.Control->Left(), 0);
  app.form.Control->NotifyMoved(9, 9);
  app.form.Control->Close();
  EXPECT_EQ(dir.Read("config.ini"), "[main]\r\nLeft=40\r\n");
}

TEST_F(MainFormTest, KeepOpenRefusesTheUsersClose) {
  TempFolder dir;
  dir.MakeProgramFolder();
  App app;
  IntSource keep;
  keep.value = 1;
  app.form.KeepOpen = keep.point();
  Start(&app.form);
  TSimulator sim;
  EXPECT_FALSE(sim.CloseForm(*app.form.Control));
  EXPECT_EQ(app.closed.count(), 0u);
  EXPECT_TRUE(app.form.Control->HasWindow());
  EXPECT_TRUE(DispatchersInstalled());
  EXPECT_FALSE(os::FileExists(dir.Path() + "config.ini"));
  // A close that is not asked ignores KeepOpen.
  keep.value = 0;
  EXPECT_TRUE(sim.CloseForm(*app.form.Control));
  EXPECT_EQ(app.closed.count(), 1u);
}

TEST_F(MainFormTest, NothingReachesElementsAfterOnClose) {
  TempFolder dir;
  dir.MakeProgramFolder();
  App app;
  THIRadioButton r(app.form.Control);
  r.Width = 100;
  r.Height = 16;
  Probe selects;
  r.onSelect = selects.work();
  r.Init();
  Probe afterClose;
  struct OnClose : THIBase {
    Probe* p;
    THIRadioButton* r;
    void doWork(TData&, uint16_t) { p->got.push_back("closed"); }
  } oc;
  oc.p = &afterClose;
  app.form.onClose = MakeEvent<&OnClose::doWork>(&oc);
  Start(&app.form);
  TSimulator sim;
  sim.Click(*r.Control);
  EXPECT_EQ(selects.count(), 1u);
  sim.CloseForm(*app.form.Control);
  EXPECT_EQ(afterClose.got, (std::vector<std::string>{"closed"}));
  EXPECT_FALSE(DispatchersInstalled());
  TData d;
  r.doSelect(d, 0);  // a click fired after the close
  EXPECT_TRUE(r.Control->Checked());
  EXPECT_EQ(selects.count(), 1u);
}

TEST_F(MainFormTest, RunDrainsQueuedInputAndEndsOnClose) {
  TempFolder dir;
  dir.MakeProgramFolder();
  App app;
  THILabel label(app.form.Control);
  label.Width = 40;
  label.Height = 20;
  Probe clicks;
  label.onClick = clicks.work();
  label.Init();
  Start(&app.form);
  static int idles = 0;
  idles = 0;
  SetIdleHook([] { ++idles; });
  TSimulator sim;
  sim.PostClick(*label.Control);
  sim.PostClick(*label.Control);
  sim.PostCloseForm(*app.form.Control);
  sim.PostClick(*label.Control);  // after the quit: never handled
  ::Run(ApplicationWindow());
  EXPECT_EQ(clicks.count(), 2u);
  EXPECT_EQ(app.closed.count(), 1u);
  EXPECT_GE(idles, 1);
  EXPECT_EQ(ApplicationWindow(), nullptr);  // terminated
  EXPECT_FALSE(AppRunning());
  EXPECT_TRUE(AppTerminated());
}

TEST_F(MainFormTest, RunWithoutInputTerminatesWithoutClosingTheForm) {
  App app;
  Start(&app.form);
  ::Run(ApplicationWindow());
  EXPECT_EQ(app.closed.count(), 0u);
  EXPECT_EQ(ApplicationWindow(), nullptr);
  EXPECT_FALSE(app.form.Control->HasWindow());
}

TEST_F(MainFormTest, BorderStylesAndActivation) {
  App app;
  EXPECT_EQ(app.form.Control->Style() & 0x00C70000u, 0x00C20000u);
  app.form.SetBorderStyle(4);
  EXPECT_EQ(app.form.Control->Style() & 0x00C70000u, 0x00C00000u);
  EXPECT_EQ(app.form.Control->ExStyle() & 0x181u, 0x80u);
  app.form.SetBorderStyle(8);  // ignored
  EXPECT_EQ(app.form.Control->ExStyle() & 0x181u, 0x80u);
  app.form.SetBorderStyle(6);
  EXPECT_EQ(app.form.Control->Style() & 0x00C70000u, 0u);
  EXPECT_EQ(app.form.Control->ExStyle() & 0x181u, 0x1u);

  Probe act, deact;
  app.form.onActivate = act.work();
  app.form.onDeactivate = deact.work();
  app.form.Control->NotifyActivate(true);
  app.form.Control->NotifyActivate(false);
  EXPECT_EQ(act.count(), 1u);
  EXPECT_EQ(deact.count(), 1u);

  // The application window follows the form.
  app.form.Control->NotifyMoved(30, 40);
  EXPECT_EQ(ApplicationWindow()->Left(), 30);
  app.form.Control->NotifyResized(700, 500);
  EXPECT_EQ(ApplicationWindow()->Width(), 700);
}

// The user's moves, frame drags and switches, given as the runner's input: each reaches the
// form's event points only when it changes something, and the window's record follows.
TEST_F(MainFormTest, TheUsersMovesSizesAndSwitchesReachTheForm) {
  App app;
  app.form.Place.clear();
  Start(&app.form);
  Probe move, resize, act, deact;
  app.form.onMove = move.work();
  app.form.onResize = resize.work();
  app.form.onActivate = act.work();
  app.form.onDeactivate = deact.work();
  TSimulator sim;
  TControl& f = *app.form.Control;
  struct Case {
    const char* name;
    std::function<bool()> input;
    size_t moves, resizes, activations, deactivations;
  };
  const Case cases[] = {
      {"same place", [&] { return sim.PlaceForm(f, 0, 0, 555, 445); }, 0, 0, 0, 0},
      {"moved", [&] { return sim.PlaceForm(f, 30, 40, 555, 445); }, 1, 0, 0, 0},
      {"sized", [&] { return sim.PlaceForm(f, 30, 40, 600, 480); }, 1, 1, 0, 0},
      {"both", [&] { return sim.PlaceForm(f, 10, 20, 620, 490); }, 2, 2, 0, 0},
      {"switched away", [&] { return sim.ActivateForm(f, false); }, 2, 2, 0, 1},
      {"switched back", [&] { return sim.ActivateForm(f, true); }, 2, 2, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(c.input());
    EXPECT_EQ(std::vector<size_t>({move.count(), resize.count(), act.count(), deact.count()}),
              std::vector<size_t>({c.moves, c.resizes, c.activations, c.deactivations}));
  }
  const THeadlessWindow* w = HeadlessBackend().Window(&f);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(std::vector<int>({w->Left, w->Top, w->Width, w->Height}),
            std::vector<int>({10, 20, 620, 490}));
  EXPECT_EQ(ApplicationWindow()->Left(), 10);
  // A hidden form cannot be dragged or switched to.
  f.SetVisible(false);
  EXPECT_FALSE(sim.PlaceForm(f, 1, 2, 300, 200));
  EXPECT_FALSE(sim.ActivateForm(f, true));
  EXPECT_EQ(move.count() + act.count(), 3u);
}

TEST_F(MainFormTest, AlphaBlendClientSizeAndSecondForm) {
  App app;
  EXPECT_FALSE(app.form.Control->ExStyle() & wsex::Layered);
  app.form.AlphaBlend = 200;
  app.form.ClientSize = 1;
  app.form.Width = 300;
  app.form.Height = 200;
  app.form.Init();
  EXPECT_TRUE(app.form.Control->ExStyle() & wsex::Layered);
  EXPECT_EQ(app.form.Control->Alpha(), 200);
  EXPECT_EQ(app.form.Control->ClientSize().Width, 300);
  EXPECT_EQ(app.form.Control->ClientSize().Height, 200);

  // A second form does not own the application; closing it only hides it.
  THIMainForm second(app.form.Control);
  Probe closed2;
  second.onClose = closed2.work();
  second.Init();
  second.Control->SetVisible(true);
  EXPECT_EQ(second.OwnsApplication, 0);
  EXPECT_FALSE(second.Control->Close());
  EXPECT_FALSE(second.Control->Visible());
  EXPECT_TRUE(DispatchersInstalled());
  second.Control->SetVisible(true);
  // Closing the main form closes the child form without asking.
  IntSource keep;
  keep.value = 1;
  second.KeepOpen = keep.point();
  EXPECT_TRUE(app.form.Control->Close(false));
  EXPECT_FALSE(second.Control->Visible());
}

TEST_F(MainFormTest, DestroyingFormsAndControlsInSchemeOrderLeaksNothing) {
  {
    auto form = std::make_unique<THIMainForm>();
    form->Init();
    auto label = std::make_unique<THILabel>(form->Control);
    label->Init();
    label->Control->ToolTip();
    Start(form.get());
    TSimulator sim;
    sim.MoveTo(*label->Control);
    label.reset();
    EXPECT_EQ(sim.Under(), nullptr);
    form.reset();
    EXPECT_EQ(ApplicationWindow(), nullptr);
  }
  {
    // The form first, its controls after (the other order).
    auto form = std::make_unique<THIMainForm>();
    form->Init();
    auto label = std::make_unique<THILabel>(form->Control);
    label->Init();
    form.reset();
    EXPECT_FALSE(label->Control->HasWindow());
    label.reset();
  }
  EXPECT_EQ(LiveControls(), 0);
}

TEST_F(MainFormTest, PlacementFromABrokenFileStaysUsable) {
  TempFolder dir;
  dir.MakeProgramFolder();
  dir.Write("config.ini",
            "[main]\r\nLeft=-2147483648\r\nTop=99999999999\r\nWidth=0\r\nHeight=2000000000\r\n");
  App app;
  Start(&app.form);
  EXPECT_EQ(app.form.Control->Left(), -32000);
  EXPECT_GE(app.form.Control->Top(), 0);
  EXPECT_LE(app.form.Control->Top(), 32000);
  EXPECT_EQ(app.form.Control->Width(), 136);
  EXPECT_EQ(app.form.Control->Height(), 8192);

  dir.Write("config.ini", "[main]\r\nLeft=abc\r\nWidth=600x\r\n");
  ResetApplication();
  InitProcs.clear();
  App again;
  Start(&again.form);
  EXPECT_EQ(again.form.Control->Left(), 0);  // no digits: 0
  EXPECT_EQ(again.form.Control->Width(), 600);
  EXPECT_EQ(again.form.Control->Height(), 445);
}
