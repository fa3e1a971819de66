// THoverTiming: when a mouse resting on a control becomes its hover notification, and when that
// control's tool tip shows and pops. Every backend feeds it the same raw input (moves, leaves,
// presses, windows going away) and runs its timers; the decisions are made here only.
#pragma once

#include "ui/control.h"

// How long the mouse rests on a control before it hears of the hover.
constexpr int kHoverDelayMs = 400;

// What a backend provides: single-shot timers and a place to show a tip.
class THoverHost {
 public:
  virtual ~THoverHost() = default;
  // Starts timer id to run out after ms; a running one starts over. Its end comes back as
  // THoverTiming::Fired(id).
  virtual void StartTimer(int id, int ms) = 0;
  virtual void StopTimer(int id) = 0;
  // Shows tip (a ToolTip control with its window) for owner, the mouse being at (x, y) of
  // owner's client area; hides it again.
  virtual void ShowTip(TControl& owner, TControl& tip, int x, int y) = 0;
  virtual void HideTip(TControl& tip) = 0;
};

class THoverTiming {
 public:
  enum TTimer { tmHover, tmTipShow, tmTipPop, tmCount };

  explicit THoverTiming(THoverHost& host) : host_(host) {}
  THoverTiming(const THoverTiming&) = delete;
  THoverTiming& operator=(const THoverTiming&) = delete;

  // The mouse moved to (x, y) of c's client area: the hover waits again, and c's tip is due
  // after its initial delay (unless it shows already).
  void Moved(TControl& c, int x, int y);
  // The mouse is no longer over c.
  void Left(const TControl& c);
  // A button went down on c: its tip goes.
  void Pressed(const TControl& c);
  // c was hidden or loses its window: nothing waits for c or for a control inside it any more.
  void Gone(const TControl& c);
  // A tracking tip's tracking went on or off, or its point moved: it shows at the point while
  // its tracking is on, with no timer (the hover timing leaves tracking tips alone otherwise).
  void Tracked(TControl& tip);
  // Timer id ran out.
  void Fired(int id);
  // Stops everything (the backend shuts down).
  void Reset();

  TControl* HoverTarget() const { return hoverTarget_; }
  TControl* TipOwner() const { return tipOwner_; }

 private:
  void ShowTip();
  void HideTip();

  THoverHost& host_;
  TControl* hoverTarget_ = nullptr;
  TControl* tipOwner_ = nullptr;
  int tipX_ = 0, tipY_ = 0;  // the mouse in the owner's client area
};
