// The headless backend: no display, deterministic. Each native window is a record of what the
// backend was last told (text, font, colours, bounds, ...), so tests read back what reached the
// "screen"; the message queue holds the input the simulator posts.
//
// Implements: every control kind; every change bit copied into the record; stacking among
// siblings (a new window goes in front, Restack moves it); focus and capture; a text extent
// from a fixed advance per character; the classic frame metrics; the message loop; a clipboard
// in memory; messages kept for the tests instead of shown. A form's moves, resizes, activation
// and deactivation come from the simulator's input (the runner's "place", "activate" and
// "deactivate"), as a window manager would report them. The font dialog is answered by the
// FontDialog hook (herosheet-sim: from its input).
// Time is a clock the tests advance: the hover and tool-tip timers run out as it passes them.
// A tracking tip's record shows it at its tracked point while its tracking is on. A disabled
// form (a modal form is up) takes no input from the simulator, nor does anything in it.
// Cannot: paint, move or size anything by itself (a tool tip's record only says where it shows),
// or produce input: that comes from TSimulator, which also sends the leave of a window hidden or
// destroyed under the mouse. Nothing is drawn, so neither are `Ctl3D`, panel bevels or a balloon
// tip's shape (the first two never reach the layer; no form has a background picture).
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/hover_timing.h"

// What the backend holds of one native window.
struct THeadlessWindow {
  TControl* Parent = nullptr;  // the control whose window is the native parent
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Text;
  TFontRec Font;
  uint32_t Color = 0;
  uint8_t Alignment = 0;
  bool Visible = false;
  bool Enabled = true;
  bool Checked = false;
  std::vector<std::string> Items;
  int Selection = -1;
  std::vector<TControl*> Stack;  // child windows, front first
  bool TipUp = false;            // a tool tip the hover timing or its tracking shows ...
  int TipX = 0, TipY = 0;        // ... at this spot of its owner's top window
};

class THeadlessBackend : public TBackend, private THoverHost {
 public:
  const char* Name() const override { return "headless"; }
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
  // Runs every queued message. A loop that would wait with nothing queued ends instead:
  // no more input can come.
  bool ProcessMessages(bool wait) override;
  void PostQuit() override { quit_ = true; }
  void ResetQuit() override { quit_ = false; }
  // Kept, not shown: Messages() lists them.
  void ShowMessage(TControl*, std::string_view text, std::string_view caption) override {
    messages_.push_back(std::string(caption) + ": " + std::string(text));
  }
  // The font dialog has no screen here: FontDialog answers it for the user (a runner from its
  // input, a test); without one it is cancelled.
  bool PickFont(TControl* owner, const TFontRec& font, TFontChoice& out) override;

  // Gets the font the dialog shows; true with the user's choice in out, false for a cancel.
  std::function<bool(const TFontRec& shown, TFontChoice& out)> FontDialog;

  // ---- for the simulator and tests ----
  // The messages shown so far, "caption: text" each.
  std::vector<std::string>& Messages() { return messages_; }
  // Queues a message; owner tags it so that DropPosted can take it back.
  void Post(const void* owner, std::function<void()> message) {
    queue_.push_back(TMessage{owner, std::move(message)});
  }
  void DropPosted(const void* owner);
  size_t Pending() const { return queue_.size(); }
  bool Exists(const TControl* c) const { return windows_.count(const_cast<TControl*>(c)) != 0; }
  // The record of c's native window, or nullptr.
  const THeadlessWindow* Window(const TControl* c) const;
  TControl* Capture() const { return capture_; }
  // The user moved or sized the top window c (its bounds are stored): the record follows.
  void UserPlaced(TControl& c);
  // The form shown last that still shows: it gets the keys while no window has the focus.
  TControl* ActiveForm() const;
  // Called when a native window is about to go away (it still exists) ...
  std::function<void(TControl*)> OnDestroying;
  // ... and when one is hidden or disabled.
  std::function<void(TControl*)> OnHidden;
  // Number of Apply calls per change bit since the last reset (tests).
  unsigned ApplyCount(uint32_t bit) const;
  void ResetCounts() { counts_.fill(0); }

  // ---- time ----
  // The hover and tool-tip timing the simulator feeds.
  THoverTiming& HoverTiming() { return hover_; }
  // Lets ms pass: every timer due meanwhile runs out, in the order of its end.
  void AdvanceClock(int ms);
  int64_t Clock() const { return now_; }

 private:
  void StartTimer(int id, int ms) override;
  void StopTimer(int id) override;
  void ShowTip(TControl& owner, TControl& tip, int x, int y) override;
  void HideTip(TControl& tip) override;
  void Copy(TControl& c, THeadlessWindow& w, uint32_t changes);
  std::vector<TControl*>* SiblingsOf(const TControl& c);

  std::map<TControl*, THeadlessWindow> windows_;
  std::vector<TControl*> topLevel_;  // windows without a native parent, front first
  struct TMessage {
    const void* Owner;
    std::function<void()> Run;
  };
  std::deque<TMessage> queue_;
  TControl* focus_ = nullptr;
  TControl* capture_ = nullptr;
  std::vector<TControl*> shown_;  // forms in the order they were shown
  bool quit_ = false;
  std::vector<std::string> messages_;
  std::array<unsigned, 32> counts_{};
  THoverTiming hover_{*this};
  int64_t now_ = 0;
  std::array<int64_t, THoverTiming::tmCount> due_{};  // when each runs out; 0: not running
};

// The process's headless backend (always available).
THeadlessBackend& HeadlessBackend();
