// TControlInput: scripted clicks on any backend, delivered straight to the controls' input
// entry points as a backend reports a user's mouse, without moving the system's pointer. The
// desktop program opens an answer code through it.
#pragma once

#include "app/sheet_input.h"

class TControlInput : public TSheetInput {
 public:
  void MoveTo(TControl& c, int x, int y) override;
  void Click(TControl& c) override;
  void PressKey(int key, bool shift, bool ctrl) override;
  bool PickItem(TControl& combo, int index) override;
  bool CloseForm(TControl& form) override;
  void Leave() override;

 private:
  TMouseInfo At(int button, uint32_t keys) const;

  TControl* under_ = nullptr;  // the control the mouse is on
  int x_ = 0, y_ = 0;          // in its client area
};
