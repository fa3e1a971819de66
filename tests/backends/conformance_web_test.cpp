// The conformance suite on the web backend, in a browser page: the page's elements are read
// back, input comes as real DOM events at the controls' spots (tests/web/ runs the page).
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <map>
#include <string>

#include "tests/backends/conformance_font_dialog.h"
#include "tests/backends/conformance_suite.h"
#include "tests/backends/conformance_tips_modal.h"
#include "ui/backends/web/backend_web.h"

namespace {

uint8_t AlignmentOf(const std::string& css) {
  return css == "right" ? taRight : css == "center" ? taCenter : taLeft;
}

std::vector<std::string> Lines(const std::string& joined) {
  std::vector<std::string> out;
  if (joined.empty()) return out;
  size_t at = 0;
  for (;;) {
    size_t end = joined.find('\n', at);
    out.push_back(joined.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) return out;
    at = end + 1;
  }
}

class WebDriver {
 public:
  static void SetUpSuite() {}
  static void TearDownSuite() {}
  TBackend& Backend() { return WebBackend(); }
  void Pump() { WebBackend().ProcessMessages(false); }

  bool Exists(const TControl& c) { return WebBackend().InPage(c); }
  bool ChildOf(const TControl& c, const TControl& parent) {
    return WebBackend().PageParent(c) == &parent;
  }
  TSeen Seen(const TControl& c) {
    TSeen s;
    std::vector<std::string> f = WebBackend().Inspect(c);
    if (f.size() < 17) return s;
    auto n = [&](size_t i) { return std::atoi(f[i].c_str()); };
    s.Text = f[0];
    s.FontPixels = n(1);
    s.Bold = n(2);
    s.Italic = n(3);
    s.Underline = n(4);
    s.TextColor = static_cast<uint32_t>(n(5));
    s.Color = static_cast<uint32_t>(n(6));
    s.Alignment = AlignmentOf(f[7]);
    s.Visible = n(8);
    s.Enabled = n(9);
    s.Checked = n(10);
    s.Items = Lines(f[11]);
    s.Selection = n(12);
    s.Left = n(13);
    s.Top = n(14);
    s.Width = n(15);
    s.Height = n(16);
    return s;
  }
  std::vector<TControl*> Stack(const TControl& parent, const std::vector<TControl*>& among) {
    std::vector<TControl*> out;
    std::vector<TControl*> order = WebBackend().PageOrder(parent);
    for (auto it = order.rbegin(); it != order.rend(); ++it)  // front first
      for (TControl* c : among)
        if (c == *it) out.push_back(c);
    return out;
  }

  void Move(TControl& c, int x, int y) { WebBackend().PointerMove(c, x, y); }
  void Press(TControl& c, int button, int x, int y) {
    WebBackend().PointerMove(c, x, y);
    WebBackend().PointerButton(c, true, button, x, y);
  }
  void Release(TControl& c, int button, int x, int y) {
    WebBackend().PointerMove(c, x, y);
    WebBackend().PointerButton(c, false, button, x, y);
  }
  void Wheel(TControl& c, int delta, int x, int y) {
    WebBackend().PointerMove(c, x, y);
    WebBackend().PointerWheel(c, delta, x, y);
  }
  void Key(TControl& c, int key) {
    c.SetFocus();
    WebBackend().KeyStroke(key);
  }
  void CtrlKey(TControl& c, int key) {
    c.SetFocus();
    WebBackend().KeyStroke(key, false, true);
  }
  void LeaveTo(TControl& form, int x, int y) { WebBackend().PointerMove(form, x, y); }
  // The page cannot run its timers while the test's code runs: the time passes, then what ran
  // out meanwhile runs.
  void Wait(int ms) {
    double end = emscripten_get_now() + ms;
    while (emscripten_get_now() < end) {
    }
    WebBackend().RunDueTimers();
  }

  // A page cannot hold the program's call until the user answers: no font dialog here.
  static constexpr bool kWindowIcon = false;  // the page's icon is the browser's business
  // The page's ARIA attributes, names resolved from their labels' elements.
  static constexpr bool kAccess = true;
  TAccessSeen Access(const TControl& c) {
    std::vector<std::string> f;
    std::string all = WebBackend().AccessSeen(c);
    for (size_t at = 0;;) {
      size_t end = all.find('\x1f', at);
      f.push_back(all.substr(at, end == std::string::npos ? std::string::npos : end - at));
      if (end == std::string::npos) break;
      at = end + 1;
    }
    if (f.size() < 4) return {};
    static const std::map<std::string, std::string> roles = {
        {"region", "window"}, {"radio", "radio button"}, {"radiogroup", "group"}, {"list", "group"},
        {"listitem", "item"}, {"combobox", "combo box"}, {"tooltip", "tool tip"}};
    std::string role = f[0];
    if (roles.count(role)) role = roles.at(role);
    // No role: the element's own, a plain box.
    if (role.empty())
      role = c.Kind() == TControlKind::Form    ? "window"
             : c.Kind() == TControlKind::Label ? "text"
                                               : "none";
    return {role, f[1], f[2].empty() ? -1 : f[2] == "1", f[3]};
  }
  static constexpr bool kFontDialog = false;
  static constexpr bool kDialogColor = false;
  static std::string DialogFace(int i) { return i ? "Liberation Sans" : "MS Sans Serif"; }
  void AnswerFontDialog(const TFontChoice*) {}
  TTipSeen TipSeen(const TControl& tip) {
    TTipSeen s;
    if (tip.Parent()) s.Shown = WebBackend().PlaceOf(tip, *tip.Parent(), s.X, s.Y);
    return s;
  }
  // The page's forms have no close box: the program closes them.
  bool CloseBox(TControl&) { return false; }
  TFontRec FontDialogShown() const { return TFontRec(); }
  int FontDialogsShown() const { return 0; }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Web, BackendConformance, WebDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Web, BackendFontDialog, WebDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Web, BackendTipsModal, WebDriver);
