#include "controls/radiobutton.h"

THIRadioButton::THIRadioButton(TControl* parent) : THIWin(parent) {
  Control = new TControl(TControlKind::RadioButton, parent);
  Control->SetStyle(Control->Style() | ws::TabStop, 0);
}

void THIRadioButton::doSelect(TData& data, uint16_t) {
  if ((data.Kind & ~RedirectFlag) == data_int && data.IntValue == 0) {
    Control->SetChecked(false);
    return;
  }
  Control->Click();
}

void THIRadioButton::GetChecked(TData& data, uint16_t) {
  SetInteger(data, Control->Checked() ? 1 : 0);
}

void THIRadioButton::CtlClick(TControl& c) {
  if (TControl* p = c.Parent())
    p->CheckRadioButton(p->FirstRadioId(), p->LastRadioId(), c.Id());
  else
    c.SetChecked(true);
  FireNull(onSelect);
}
