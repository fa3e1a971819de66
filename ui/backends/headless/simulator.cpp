#include "ui/backends/headless/simulator.h"

#include <algorithm>

namespace {

uint32_t ButtonFlag(int button) {
  if (button == 1) return mkLButton;
  if (button == 2) return mkRButton;
  return button == 3 ? static_cast<uint32_t>(mkMButton) : 0u;
}

}  // namespace

TSimulator::TSimulator(THeadlessBackend& backend) : b_(backend) {
  b_.OnDestroying = [this](TControl* c) {
    if (c == under_) Gone(c->Showing());
    if (c == top_) top_ = nullptr;
  };
  b_.OnHidden = [this](TControl* c) {
    for (const TControl* p = under_; p; p = p->Parent())
      if (p == c) return Gone(true);
  };
}

TSimulator::~TSimulator() {
  b_.OnDestroying = nullptr;
  b_.OnHidden = nullptr;
  b_.DropPosted(this);
}

// The window under the mouse went away (hidden, or about to be destroyed): the mouse has left
// it, as the system reports when the window no longer lies under the mouse.
void TSimulator::Gone(bool leave) {
  TControl* old = under_;
  under_ = nullptr;
  if (!b_.Exists(old)) return;
  b_.HoverTiming().Left(*old);
  if (leave) old->NotifyMouseLeave();
}

bool TSimulator::Deliverable(const TControl* c) const {
  return c && b_.Exists(c) && c->Showing();
}

// New input goes only to a window of an enabled top window (a modal form disables the others).
bool TSimulator::Accepts(const TControl* c) const {
  return Deliverable(c) && c->InputEnabled();
}

TMouseInfo TSimulator::Info(int button) const {
  TMouseInfo m;
  m.Button = button;
  m.Keys = keys_;
  int ox = 0, oy = 0;
  if (under_) under_->OriginIn(top_, ox, oy);
  m.X = x_ - ox;
  m.Y = y_ - oy;
  return m;
}

void TSimulator::DeliverMove() {
  TControl* target = nullptr;
  if (Accepts(top_) && top_->ContainsPoint(x_, y_)) target = top_->ChildAt(x_, y_);
  if (b_.Capture() && Accepts(b_.Capture())) target = b_.Capture();
  if (target != under_) {
    TControl* old = under_;
    under_ = target;
    if (b_.Exists(old)) b_.HoverTiming().Left(*old);
    if (Deliverable(old)) old->NotifyMouseLeave();
  }
  if (!Deliverable(under_)) return;
  TMouseInfo m = Info(0);
  b_.HoverTiming().Moved(*under_, m.X, m.Y);
  if (Deliverable(under_)) under_->NotifyMouseMove(m);
}

void TSimulator::MoveTo(TControl& c, int x, int y) {
  if (x < 0) x = c.Width() / 2;
  if (y < 0) y = c.Height() / 2;
  TControl* top = c.TopWindow();
  int ox = 0, oy = 0;
  c.OriginIn(top, ox, oy);
  top_ = (top == &c && !c.IsTopLevel()) ? nullptr : top;
  x_ = ox + x;
  y_ = oy + y;
  DeliverMove();
}

void TSimulator::Leave() {
  TControl* old = under_;
  under_ = nullptr;
  top_ = nullptr;
  if (b_.Exists(old)) b_.HoverTiming().Left(*old);
  if (Deliverable(old)) old->NotifyMouseLeave();
}

void TSimulator::Hover() {
  if (!Deliverable(under_)) return;
  int rest = kHoverDelayMs;
  if (TControl* tip = under_->ToolTipIfAny()) rest = std::max(rest, tip->TipInfo().InitialDelay);
  b_.AdvanceClock(rest);
}

void TSimulator::Wait(int ms) {
  b_.AdvanceClock(ms);
}

void TSimulator::Press(int button) {
  keys_ |= ButtonFlag(button);
  if (!Accepts(under_)) return;
  b_.HoverTiming().Pressed(*under_);
  under_->NotifyMouseDown(Info(button));
}

void TSimulator::Release(int button) {
  keys_ &= ~ButtonFlag(button);
  if (Accepts(under_)) under_->NotifyMouseUp(Info(button));
}

void TSimulator::Click(TControl& c, int button) {
  MoveTo(c);
  TControl* target = under_;
  bool left = button == 1 && Accepts(target);
  Press(button);
  // Static windows (labels, panels) report the click as the button goes down ...
  if (left && Deliverable(target) &&
      (target->Kind() == TControlKind::Label || target->Kind() == TControlKind::Panel))
    target->NotifyClick();
  // ... buttons when it comes up over them.
  Release(button);
  if (left && target == under_ && Deliverable(target) &&
      target->Kind() == TControlKind::RadioButton)
    target->NotifyClick();
}

void TSimulator::Wheel(int delta) {
  if (!Accepts(under_)) return;
  TMouseInfo m = Info(0);
  m.Wheel = delta;
  under_->NotifyMouseWheel(m);
}

bool TSimulator::PickItem(TControl& combo, int index) {
  if (combo.Kind() != TControlKind::ComboBox || !Accepts(&combo)) return false;
  if (index < 0 || index >= combo.ItemCount()) return false;
  combo.NotifySelChange(index);
  return true;
}

bool TSimulator::CloseForm(TControl& form) {
  // A disabled form's close box does nothing (a modal form is up).
  if (!form.IsTopLevel() || !b_.Exists(&form) || !form.Enabled()) return false;
  return form.NotifyClose(true);
}

bool TSimulator::PlaceForm(TControl& form, int left, int top, int width, int height) {
  if (!form.IsTopLevel() || !b_.Exists(&form) || !form.Visible()) return false;
  if (left != form.Left() || top != form.Top()) form.NotifyMoved(left, top);
  if (b_.Exists(&form) && (width != form.Width() || height != form.Height()))
    form.NotifyResized(width, height);
  if (b_.Exists(&form)) b_.UserPlaced(form);
  return true;
}

bool TSimulator::ActivateForm(TControl& form, bool active) {
  if (!form.IsTopLevel() || !b_.Exists(&form) || !form.Visible()) return false;
  form.NotifyActivate(active);
  return true;
}

TControl* TSimulator::KeyTarget() const {
  TControl* f = b_.FocusedControl();
  if (Accepts(f)) return f;
  f = b_.ActiveForm();
  return Accepts(f) ? f : nullptr;
}

void TSimulator::PressKey(int key, bool shift, bool ctrl) {
  if (TControl* f = KeyTarget()) f->NotifyKeyDown(key, shift, ctrl);
  if (TControl* f = KeyTarget()) f->NotifyKeyUp(key);
}

void TSimulator::PostClick(TControl& c, int button) {
  b_.Post(this, [this, &c, button] {
    if (b_.Exists(&c)) Click(c, button);
  });
}

void TSimulator::PostCloseForm(TControl& form) {
  b_.Post(this, [this, &form] {
    if (b_.Exists(&form)) CloseForm(form);
  });
}
