// TSheetInput: the user's hands as a program drives them: how scripted moves, clicks, keys,
// picks and closes reach the sheet on the backend in use. The runner's commands and answer
// links go through it; each backend that takes scripted input has one.
#pragma once

#include "ui/control.h"

class TSheetInput {
 public:
  virtual ~TSheetInput() = default;
  // The mouse moves onto (x, y) of c's client area (-1: its centre), no button held.
  virtual void MoveTo(TControl& c, int x, int y) = 0;
  // A left click on c (the mouse moves there first).
  virtual void Click(TControl& c) = 0;
  // A key (virtual-key code) goes down and up on the focused window, Shift and Ctrl held or not.
  virtual void PressKey(int key, bool shift, bool ctrl) = 0;
  // The user picks item index of a combo box; false when it cannot.
  virtual bool PickItem(TControl& combo, int index) = 0;
  // The user closes a form; true when it closed.
  virtual bool CloseForm(TControl& form) = 0;
  // The mouse leaves every window.
  virtual void Leave() = 0;
  // The user drags the form and its frame to these bounds. Where no user can (a page), the
  // program places it instead.
  virtual void PlaceForm(TControl& form, int left, int top, int width, int height) {
    form.SetPosition(left, top);
    form.SetSize(width, height);
  }
  // The user switches to the form (active) or away from it.
  virtual void ActivateForm(TControl& form, bool active) { form.NotifyActivate(active); }
};
