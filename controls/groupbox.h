// THIGroupBox: a titled frame, parent window of the controls inside it.
#pragma once

#include "controls/win.h"

class THIGroupBox : public THIWin {
 public:
  explicit THIGroupBox(TControl* parent) : THIWin(parent) {
    Control = new TControl(TControlKind::GroupBox, parent);
  }
  void SetCaption(std::string_view text) { Control->SetText(text); }
};
