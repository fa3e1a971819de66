#include "app/control_input.h"

#include "ui/backend.h"

TMouseInfo TControlInput::At(int button, uint32_t keys) const {
  TMouseInfo m;
  m.Button = button;
  m.Keys = keys;
  m.X = x_;
  m.Y = y_;
  return m;
}

void TControlInput::MoveTo(TControl& c, int x, int y) {
  if (under_ != &c) Leave();
  under_ = &c;
  x_ = x < 0 ? c.Width() / 2 : x;
  y_ = y < 0 ? c.Height() / 2 : y;
  if (c.Showing()) c.NotifyMouseMove(At(0, 0));
}

void TControlInput::Click(TControl& c) {
  MoveTo(c, -1, -1);
  if (!c.Showing()) return;
  c.NotifyMouseDown(At(1, mkLButton));
  // Static windows (labels, panels) report the click as the button goes down ...
  bool isStatic = c.Kind() == TControlKind::Label || c.Kind() == TControlKind::Panel;
  if (isStatic && c.Showing()) c.NotifyClick();
  // ... buttons when it comes up over them.
  if (!c.Showing()) return;
  c.NotifyMouseUp(At(1, 0));
  if (c.Kind() == TControlKind::RadioButton && c.Showing()) c.NotifyClick();
}

void TControlInput::PressKey(int key, bool shift, bool ctrl) {
  TControl* f = Backend().FocusedControl();
  if (!f || !f->Showing()) return;
  f->NotifyKeyDown(key, shift, ctrl);
  if (TControl* g = Backend().FocusedControl()) g->NotifyKeyUp(key);
}

bool TControlInput::PickItem(TControl& combo, int index) {
  if (combo.Kind() != TControlKind::ComboBox || !combo.Showing() || !combo.Enabled()) return false;
  if (index < 0 || index >= combo.ItemCount()) return false;
  combo.NotifySelChange(index);
  return true;
}

bool TControlInput::CloseForm(TControl& form) {
  if (!form.IsTopLevel()) return false;
  if (under_ && under_->TopWindow() == &form) Leave();
  return form.NotifyClose(true);
}

void TControlInput::Leave() {
  TControl* old = under_;
  under_ = nullptr;
  if (old && old->Showing()) old->NotifyMouseLeave();
}
