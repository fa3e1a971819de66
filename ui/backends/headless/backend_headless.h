// The headless backend: no display, deterministic. Native windows are bookkeeping records;
// the message queue holds the input the simulator posts.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <set>
#include <vector>

#include "ui/backend.h"

class THeadlessBackend : public TBackend {
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

  // ---- for the simulator ----
  // Queues a message; owner tags it so that DropPosted can take it back.
  void Post(const void* owner, std::function<void()> message) {
    queue_.push_back(TMessage{owner, std::move(message)});
  }
  void DropPosted(const void* owner);
  size_t Pending() const { return queue_.size(); }
  bool Exists(const TControl* c) const { return windows_.count(const_cast<TControl*>(c)) != 0; }
  TControl* Capture() const { return capture_; }
  // The form shown last that still shows: it gets the keys while no window has the focus.
  TControl* ActiveForm() const;
  // Called when a native window goes away (the simulator forgets its pointer).
  std::function<void(TControl*)> OnDestroyed;
  // Number of Apply calls per change bit since the last reset (tests).
  unsigned ApplyCount(uint32_t bit) const;
  void ResetCounts() { counts_.fill(0); }

 private:
  std::set<TControl*> windows_;
  struct TMessage {
    const void* Owner;
    std::function<void()> Run;
  };
  std::deque<TMessage> queue_;
  TControl* focus_ = nullptr;
  TControl* capture_ = nullptr;
  std::vector<TControl*> shown_;  // forms in the order they were shown
  bool quit_ = false;
  std::array<unsigned, 32> counts_{};
};

// The process's headless backend (always available).
THeadlessBackend& HeadlessBackend();
