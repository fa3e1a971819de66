// THIRadioButton: a plain radio button; the buttons of one parent form an exclusive set.
#pragma once

#include "controls/win.h"

class THIRadioButton : public THIWin {
 public:
  explicit THIRadioButton(TControl* parent);

  THI_Event onSelect;

  void SetCaption(std::string_view text) { Control->SetText(text); }
  // 0: checked, anything else: unchecked; sent to the button at once.
  void SetSelected(int32_t v) { Control->SetChecked(v == 0); }

  // Integer 0 unchecks without an event; anything else clicks the button.
  void doSelect(TData& data, uint16_t);
  void GetChecked(TData& data, uint16_t);

 protected:
  void CtlClick(TControl& c) override;
};
