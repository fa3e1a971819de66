// The web backend: the window layer as absolutely placed DOM elements in a browser page.
//
// Implements:
//  [x] forms as a framed box with a caption bar (the page holds the window; its client area is
//      the form's client size, frame metrics as on Win32)
//  [x] labels, panels (thin sunken edge), group boxes (etched frame, title on the top line,
//      the mouse falls through them), radio buttons (an <input> the layer checks), combo boxes
//      as a <select>, tool tips with title, icon, colours, margin, delays and auto-pop
//  [x] geometry in pixels at 96 DPI, fonts mapped as the Qt backend maps them (CSS px sizes),
//      colours, cursors, alignment, visibility, enabled state, z-order
//  [x] input: move, leave, press, release, wheel, static windows
//      click on press and radio buttons on release over them, a double click's second press
//      neither presses nor clicks, capture, keys and Tab to the focused window, item picks;
//      hover and tool tips timed by THoverTiming on the page's timers; tracking tips shown
//      below their tracked point while on, following it
//  [x] modal forms: a disabled form is inert in the page and its input (pointer, keys, item
//      picks) is dropped
//  [x] text measurement with the page's fonts (canvas metrics)
//  [x] balloon tips (`Balloon` 0) with round corners and a stem; a form's opacity as CSS opacity
//      of its box; activation: the page's window gaining and
//      losing the focus activates and deactivates every shown form
//  [x] assistive technology: each control's description as ARIA (roles, names through
//      aria-labelledby, descriptions through aria-describedby, the radio buttons' checked state
//      on their <input>), and after a click or key the changed result rows in a polite live
//      region; a click with no mouse behind it (a screen reader's) clicks a button or label
//  [x] the clipboard: text written through the page's copy (within the user's key press or
//      click) or the asynchronous clipboard; read from the page's paste event, which also sends
//      the Ctrl+V, or from what the page last wrote; messages as a note on the page
//      ("herosheet-message" event)
// Cannot:
//  [ ] move, resize, minimise or close the page's window: placement and closing belong to the
//      browser (BeginSystemMove does nothing; the form stays at the page's origin), so no move
//      or resize is ever reported: the user cannot move or size the form's box
//  [ ] a window icon (the page's icon is the browser's)
//  [ ] a modal message loop (ProcessMessages never waits: the browser runs the loop and input
//      arrives as calls from the page; the layer's modal show needs none)
//  [ ] a close box on forms: a second form is closed by the program
//  [ ] not drawn: `Ctl3D` and a panel's bevels (`BevelInner`, `BevelOuter`, `BevelWidth`,
//      `BorderWidth`) never reach the window layer (the elements keep them; the sheet's panel
//      has no bevel); a form has no background picture (no element could set one)
//  [ ] the font dialog: the page cannot hold the program's call until the user answers, so
//      PickFont answers "cancelled" and a font element that asks for the dialog fires nothing
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/backend.h"
#include "ui/hover_timing.h"

class TWebBackend : public TBackend, private THoverHost {
 public:
  const char* Name() const override { return "web"; }
  void CreateNative(TControl& c) override;
  void DestroyNative(TControl& c) override;
  void Apply(TControl& c, uint32_t changes) override;
  void Restack(TControl& c, bool toFront) override;
  void SetFocus(TControl& c) override;
  TControl* FocusedControl() override { return focus_; }
  void SetCapture(TControl* c) override { capture_ = c; }
  void BeginSystemMove(TControl&) override {}
  TSize MeasureText(const TControl& c, std::string_view text) override;
  int PixelsPerInch() override { return 96; }
  TSize FrameExtra(const TControl& form) override;
  bool ProcessMessages(bool wait) override;
  void PostQuit() override { quit_ = true; }
  void ResetQuit() override { quit_ = false; }
  void SetClipboardText(std::string_view text) override;
  std::string ClipboardText() override { return clip_; }
  void ShowMessage(TControl* owner, std::string_view text, std::string_view caption) override;

  // ---- the page's input, from the DOM listeners ----
  // evPress: a click with no mouse behind it (assistive technology), on a button or label.
  enum TEvent {
    evMove = 1,
    evDown,
    evUp,
    evLeave,
    evChange,
    evKeyDown,
    evKeyUp,
    evWheel,
    evChar,
    evActivate,  // the page's window gained (x 1) or lost (x 0) the focus
    evPress,
  };
  // One DOM event for the control with the given element id (x, y in its client area).
  void Dispatch(int type, int id, int x, int y, int button, uint32_t keys, int detail);
  // Called after every input event was handled (the page follows the sheet's state).
  void SetAfterInput(std::function<void()> hook) { afterInput_ = std::move(hook); }

  // ---- synthetic input: real DOM events at a control's spot ----
  // Moves the mouse onto (x, y) of c's client area (-1: the centre).
  void PointerMove(TControl& c, int x = -1, int y = -1);
  // A button (1 left, 2 right, 3 middle) goes down or up at (x, y) of c's client area.
  void PointerButton(TControl& c, bool down, int button, int x, int y);
  // The wheel turns by delta (120 a notch) at (x, y) of c's client area.
  void PointerWheel(TControl& c, int delta, int x, int y);
  // Left button down and up at c's centre.
  void PointerClick(TControl& c);
  // A key (virtual-key code) goes down and up, with Shift and Ctrl held or not.
  void KeyStroke(int key, bool shift = false, bool ctrl = false);
  // The page's paste event: its text becomes the clipboard's, then Ctrl+V goes down and up.
  void Paste(std::string_view text);
  // The mouse leaves the page's sheet.
  void PointerLeave();
  // Picks item index of a combo box as the user does; false when it cannot.
  bool PickItem(TControl& combo, int index);
  // Runs out every timer due by now at once (a test's own code keeps the page from running
  // them while it waits).
  void RunDueTimers();

  // Brings the page's accessibility attributes up to the controls' descriptions (also after
  // every change, once the page's loop runs) and announces what the last input changed.
  void RefreshAccess();
  // What c's element says to assistive technology (tests): role, name, checked ("1", "0" or
  // ""), description, joined by "\x1f"; the name as the page computes it from its labels.
  std::string AccessSeen(const TControl& c) const;

  // The element id of c (its data-hs-id in the page), 0 without one.
  int ElementId(const TControl& c) const;

  // ---- the page read back (tests) ----
  // c has its element in the page (the application: its record).
  bool InPage(const TControl& c) const;
  // The control whose client area holds c's element.
  TControl* PageParent(const TControl& c) const;
  // The controls in parent's client area in painting order, back first.
  std::vector<TControl*> PageOrder(const TControl& parent) const;
  // What c's element holds: text, font pixels, bold, italic, underline, text colour and
  // background as 0xBBGGRR, text-align, shown, enabled, checked, items joined by "\n", selected
  // index, left, top, width, height. Empty without an element.
  std::vector<std::string> Inspect(const TControl& c) const;
  // Whether c's element shows, with its top-left corner in of's client area.
  bool PlaceOf(const TControl& c, const TControl& of, int& x, int& y) const;

 private:
  struct TNode {
    int Id;
    TControl* Control;
    std::string Said;  // the accessibility attributes last given to the page
  };
  void ScheduleAccess();
  TControl* ControlOf(int id) const;
  void Under(TControl* c);
  void Gone(bool leave);
  void LeaveFrom(const TControl& c);
  void MouseMove(TControl& c, int x, int y, uint32_t keys);
  void MouseDown(TControl& c, int x, int y, int button, uint32_t keys, int detail);
  void MouseUp(TControl& c, int x, int y, int button, uint32_t keys);
  void Key(int type, int key, bool shift, bool ctrl);
  void StartTimer(int id, int ms) override;
  void StopTimer(int id) override;
  void ShowTip(TControl& owner, TControl& tip, int x, int y) override;
  void HideTip(TControl& tip) override;
  void ApplyFont(TControl& c);
  void ApplyTip(TControl& c);
  void Forget(TControl& c);

  std::unordered_map<int, TNode*> nodes_;
  int nextId_ = 1;
  TControl* under_ = nullptr;    // the control that gets the mouse
  TControl* pressed_ = nullptr;  // a radio button the left button went down on
  TControl* focus_ = nullptr;
  TControl* capture_ = nullptr;
  THoverTiming hover_{*this};
  long timers_[THoverTiming::tmCount] = {};  // running page timers, 0 for none
  double due_[THoverTiming::tmCount] = {};   // when each runs out (page clock, ms)
  bool quit_ = false;
  std::function<void()> afterInput_;
  std::string clip_;                // the clipboard's text as the page last saw it
  bool accessDue_ = false;          // a refresh of the accessibility attributes is scheduled
  bool described_ = false;          // the accessibility attributes were given once
  bool announce_ = false;           // user input came since the last refresh
  std::vector<std::string> items_;  // the result rows' names at the last refresh

  friend void WebTimerFired(void*);
};

// The process's web backend.
TWebBackend& WebBackend();
