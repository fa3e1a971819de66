// The hover and tool-tip timing on the headless backend's clock: raw input goes straight to the
// timing machine, the clock moves a millisecond at a time and every hover and tip change is
// written down with the time it came.
#include "ui/hover_timing.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/recorder.h"
#include "ui/backends/headless/backend_headless.h"

namespace {

// A form with label A (tool tip), label B (a tip without text) and panel P holding label C
// (tool tip).
class HoverTimingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBackend(&HeadlessBackend());
    form = Make(TControlKind::Form, nullptr, "F", 0, 0, 300, 200);
    a = Make(TControlKind::Label, form.get(), "A", 10, 10, 80, 20);
    b = Make(TControlKind::Label, form.get(), "B", 10, 40, 80, 20);
    p = Make(TControlKind::Panel, form.get(), "P", 100, 10, 150, 100);
    c = Make(TControlKind::Label, p.get(), "C", 5, 5, 80, 20);
    b->ToolTip();
    form->CreateWindowTree();
    form->SetVisible(true);
    rec.Log.clear();
  }
  void TearDown() override {
    form->DestroyWindow();
    for (auto* k : {&c, &p, &b, &a, &form})
      k->reset();
    SetBackend(nullptr);
  }
  std::unique_ptr<TControl> Make(TControlKind k, TControl* parent, const char* text, int l, int t,
                                 int w, int h) {
    auto ctl = std::make_unique<TControl>(k, parent);
    ctl->SetText(text);
    ctl->SetBounds(l, t, w, h);
    ctl->SetListener(&rec);
    return ctl;
  }
  void SetTip(TControl& owner, int initial, int autoPop) {
    TToolTipInfo info;
    info.Text = "Tip of " + owner.Text();
    info.InitialDelay = initial;
    info.AutoPopDelay = autoPop;
    owner.ToolTip()->SetTipInfo(info);
  }
  TControl* Named(const std::string& n) {
    for (TControl* k : {form.get(), a.get(), b.get(), p.get(), c.get()})
      if (k->Text() == n) return k;
    ADD_FAILURE() << "no control " << n;
    return form.get();
  }
  // Runs steps ("move A 5 6", "wait 400", "leave A", "press A", "hide P", "destroy A",
  // "untip A", separated by ';') and returns what happened: "<ms> A: hover", "<ms> A tip on" ...
  std::vector<std::string> Run(const std::string& steps) {
    THeadlessBackend& hb = HeadlessBackend();
    THoverTiming& timing = hb.HoverTiming();
    int64_t start = hb.Clock();
    std::vector<std::string> out;
    std::istringstream in(steps);
    std::string step;
    while (std::getline(in, step, ';')) {
      std::istringstream words(step);
      std::string op, arg;
      int x = 0, y = 0;
      words >> op >> arg >> x >> y;
      if (op == "wait") {
        for (int ms = std::stoi(arg); ms > 0; --ms) {
          hb.AdvanceClock(1);
          Collect(hb.Clock() - start, out);
        }
        continue;
      }
      TControl& k = *Named(arg);
      if (op == "move") timing.Moved(k, x, y);
      if (op == "leave") timing.Left(k);
      if (op == "press") timing.Pressed(k);
      if (op == "hide") k.SetVisible(false);
      if (op == "destroy") k.DestroyWindow();
      if (op == "untip") k.RemoveToolTip();
      Collect(hb.Clock() - start, out);
    }
    return out;
  }
  void Collect(int64_t at, std::vector<std::string>& out) {
    for (const std::string& line : rec.Log)
      out.push_back(std::to_string(at) + " " + line);
    rec.Log.clear();
    for (TControl* k : {a.get(), c.get()}) {
      TControl* tip = k->ToolTipIfAny();
      bool on = tip && tip->TipShown();
      bool& was = k == a.get() ? aTip : cTip;
      if (on != was)
        out.push_back(std::to_string(at) + " " + k->Text() + (on ? " tip on" : " tip off"));
      was = on;
    }
  }

  Recorder rec;
  bool aTip = false, cTip = false;
  std::unique_ptr<TControl> form, a, b, p, c;
};

TEST_F(HoverTimingTest, HoverAndTipsFollowTheRestingMouse) {
  using Lines = std::vector<std::string>;
  struct Case {
    const char* name;
    int initial, autoPop;  // A's and C's tip delays
    const char* steps;
    Lines happened;
  };
  const Case cases[] = {
      {"resting: hover, tip, pop",
       500,
       5000,
       "move A;wait 6000",
       {"400 A: hover", "500 A tip on", "5500 A tip off"}},
      {"a tip quicker than the hover",
       100,
       300,
       "move A;wait 1000",
       {"100 A tip on", "400 A: hover", "400 A tip off"}},
      {"each move starts the wait over",
       500,
       5000,
       "move A;wait 300;move A;wait 700",
       {"700 A: hover", "800 A tip on"}},
      {"moves under a shown tip keep it",
       500,
       5000,
       "move A;wait 600;move A;wait 1000",
       {"400 A: hover", "500 A tip on", "1000 A: hover"}},
      {"leaving before the delay", 500, 5000, "move A;wait 300;leave A;wait 1000", {}},
      {"leaving a shown tip",
       500,
       5000,
       "move A;wait 600;leave A;wait 1000",
       {"400 A: hover", "500 A tip on", "600 A tip off"}},
      {"on to a control without tip text",
       500,
       5000,
       "move A;wait 300;leave A;move B;wait 1000",
       {"700 B: hover"}},
      {"on to another tip",
       500,
       5000,
       "move A;wait 600;leave A;move C;wait 1000",
       {"400 A: hover", "500 A tip on", "600 A tip off", "1000 C: hover", "1100 C tip on"}},
      {"a press takes the tip, not the hover",
       500,
       5000,
       "move A;wait 100;press A;wait 1000",
       {"400 A: hover"}},
      {"a press hides a shown tip",
       500,
       5000,
       "move A;wait 600;press A;wait 100",
       {"400 A: hover", "500 A tip on", "600 A tip off"}},
      {"a press elsewhere leaves the tip",
       500,
       5000,
       "move A;wait 600;press B;wait 100",
       {"400 A: hover", "500 A tip on"}},
      {"after the pop a move brings it again",
       500,
       1000,
       "move A;wait 1600;move A;wait 600",
       {"400 A: hover", "500 A tip on", "1500 A tip off", "2000 A: hover", "2100 A tip on"}},
      {"zero delays count as one ms", 0, 0, "move A;wait 3", {"1 A tip on", "2 A tip off"}},
      {"its panel hidden", 500, 5000, "move C;wait 100;hide P;wait 1000", {}},
      {"its panel hidden under the tip",
       500,
       5000,
       "move C;wait 500;hide P;wait 1000",
       {"400 C: hover", "500 C tip on", "500 C tip off"}},
      {"the control destroyed", 500, 5000, "move A;wait 100;destroy A;wait 1000", {}},
      {"its tip removed", 500, 5000, "move A;wait 100;untip A;wait 1000", {"400 A: hover"}},
      {"its tip destroyed while shown",
       500,
       5000,
       "move A;wait 600;untip A;wait 1000",
       {"400 A: hover", "500 A tip on", "600 A tip off"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TearDown();
    SetUp();
    SetTip(*a, k.initial, k.autoPop);
    SetTip(*c, k.initial, k.autoPop);
    aTip = cTip = false;
    EXPECT_EQ(Run(k.steps), k.happened);
  }
}

// The tip shows at the mouse, in the owner's top window.
TEST_F(HoverTimingTest, TheTipShowsWhereTheMouseRests) {
  SetTip(*c, 500, 5000);
  Run("move C 7 9;wait 500");
  const THeadlessWindow* w = HeadlessBackend().Window(c->ToolTipIfAny());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->TipUp);
  EXPECT_EQ(w->TipX, 100 + 5 + 7);
  EXPECT_EQ(w->TipY, 10 + 5 + 9);
  Run("leave C");
  EXPECT_FALSE(w->TipUp);
}

}  // namespace
