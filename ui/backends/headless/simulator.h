// TSimulator: a user with a mouse and a keyboard for the headless backend. Input reaches the
// controls through the same Notify* entry points a real backend calls: the window under the
// mouse gets the moves (enter/leave tracked); a click is button down and up, with the click
// notification after the down for static windows and after the up for radio buttons. A window
// hidden or destroyed while the mouse is over it gets its leave at once. Hover and tool tips
// follow the backend's clock (THoverTiming): they come once the mouse has rested long enough.
#pragma once

#include "ui/backends/headless/backend_headless.h"

class TSimulator {
 public:
  explicit TSimulator(THeadlessBackend& backend = HeadlessBackend());
  ~TSimulator();
  TSimulator(const TSimulator&) = delete;
  TSimulator& operator=(const TSimulator&) = delete;

  // ---- immediate input (delivered before the call returns) ----
  // Moves the mouse onto c at (x, y) of its client area (default: its centre). The window
  // that lies there on screen gets the move, which may be another one covering c.
  void MoveTo(TControl& c, int x = -1, int y = -1);
  // The mouse leaves every window.
  void Leave();
  // The mouse rests long enough for the hover notification and for the tool tip of the window
  // under it to show (the backend's clock moves on by that time).
  void Hover();
  // Time passes (ms) with the mouse where it is.
  void Wait(int ms);
  // Left click (or button 2 right, 3 middle) on c: moves there, down, up and the click.
  void Click(TControl& c, int button = 1);
  void Press(int button = 1);    // button down where the mouse is
  void Release(int button = 1);  // button up where the mouse is
  void Wheel(int delta);
  // The user picks item index of a combo box (the list closes on it). False when it cannot.
  bool PickItem(TControl& combo, int index);
  // The user presses the close button of a form. True when the form closed.
  bool CloseForm(TControl& form);
  // The user drags a form to (left, top) and its frame to width x height: the move and the
  // resize reach it as a window manager reports them, each only when it changes something.
  // False when form is no shown top window.
  bool PlaceForm(TControl& form, int left, int top, int width, int height);
  // The user switches to the form (active) or away from it to another program.
  bool ActivateForm(TControl& form, bool active);
  // Key down and up on the focused window, or on the active form while no window has the
  // focus (Tab with shift: backwards), with Shift and Ctrl held or not.
  void PressKey(int key, bool shift = false, bool ctrl = false);

  // ---- queued input: handled by the message loop (Run) ----
  void PostClick(TControl& c, int button = 1);
  void PostCloseForm(TControl& form);

  // The window under the mouse, or nullptr.
  TControl* Under() const { return under_; }
  uint32_t Keys() const { return keys_; }

 private:
  bool Deliverable(const TControl* c) const;
  bool Accepts(const TControl* c) const;
  TControl* KeyTarget() const;
  void DeliverMove();
  void Gone(bool leave);
  TMouseInfo Info(int button) const;

  THeadlessBackend& b_;
  TControl* top_ = nullptr;    // top window the mouse is over
  TControl* under_ = nullptr;  // window that gets the mouse messages
  int x_ = 0, y_ = 0;          // in top_'s client area
  uint32_t keys_ = 0;
};
