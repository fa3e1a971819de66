#include "ui/hover_timing.h"

#include <algorithm>

namespace {

bool HasTipText(const TControl* tip) {
  return tip && (!tip->TipInfo().Text.empty() || !tip->TipInfo().Title.empty());
}

bool Inside(const TControl* c, const TControl& outer) {
  for (; c; c = c->Parent())
    if (c == &outer) return true;
  return false;
}

}  // namespace

void THoverTiming::Moved(TControl& c, int x, int y) {
  hoverTarget_ = &c;
  host_.StartTimer(tmHover, kHoverDelayMs);
  TControl* tip = c.ToolTipIfAny();
  if (!HasTipText(tip) || tip->TipInfo().Tracking) return;
  if (tipOwner_ == &c && tip->TipShown()) return;
  if (tipOwner_ != &c) HideTip();
  tipOwner_ = &c;
  tipX_ = x;
  tipY_ = y;
  host_.StartTimer(tmTipShow, std::max(1, tip->TipInfo().InitialDelay));
}

void THoverTiming::Left(const TControl& c) {
  if (hoverTarget_ == &c) {
    host_.StopTimer(tmHover);
    hoverTarget_ = nullptr;
  }
  if (tipOwner_ == &c) HideTip();
}

void THoverTiming::Pressed(const TControl& c) {
  if (tipOwner_ == &c) HideTip();
}

void THoverTiming::Gone(const TControl& c) {
  if (Inside(hoverTarget_, c)) {
    host_.StopTimer(tmHover);
    hoverTarget_ = nullptr;
  }
  // The owner's tip itself going away takes the owner's turn with it.
  bool ownTip = c.Kind() == TControlKind::ToolTip && tipOwner_ == c.Parent();
  if (tipOwner_ && (ownTip || Inside(tipOwner_, c))) HideTip();
}

void THoverTiming::Tracked(TControl& tip) {
  TControl* owner = tip.Parent();
  if (!owner || !tip.HasWindow() || !owner->HasWindow() || !tip.TipInfo().Tracking) return;
  if (tip.TrackActive()) {
    host_.ShowTip(*owner, tip, tip.TrackX(), tip.TrackY());
    tip.SetTipShown(true);
  } else if (tip.TipShown()) {
    host_.HideTip(tip);
    tip.SetTipShown(false);
  }
}

void THoverTiming::Fired(int id) {
  if (id == tmHover) {
    TControl* c = hoverTarget_;
    hoverTarget_ = nullptr;
    if (c && c->HasWindow()) c->NotifyMouseHover();
  } else if (id == tmTipShow) {
    ShowTip();
  } else if (id == tmTipPop) {
    HideTip();
  }
}

void THoverTiming::Reset() {
  for (int id = 0; id < tmCount; ++id)
    host_.StopTimer(id);
  hoverTarget_ = nullptr;
  tipOwner_ = nullptr;
}

void THoverTiming::ShowTip() {
  TControl* tip = tipOwner_ && tipOwner_->HasWindow() ? tipOwner_->ToolTipIfAny() : nullptr;
  if (!tip || !tip->HasWindow()) return;
  host_.ShowTip(*tipOwner_, *tip, tipX_, tipY_);
  tip->SetTipShown(true);
  host_.StartTimer(tmTipPop, std::max(1, tip->TipInfo().AutoPopDelay));
}

void THoverTiming::HideTip() {
  host_.StopTimer(tmTipShow);
  host_.StopTimer(tmTipPop);
  if (tipOwner_ && tipOwner_->HasWindow())
    if (TControl* tip = tipOwner_->ToolTipIfAny()) {
      if (tip->HasWindow()) host_.HideTip(*tip);
      tip->SetTipShown(false);
    }
  tipOwner_ = nullptr;
}
