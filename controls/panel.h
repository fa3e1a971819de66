// THIPanel: a plain container window with an optional thin sunken edge.
#pragma once

#include "controls/win.h"

class THIPanel : public THIWin {
 public:
  explicit THIPanel(TControl* parent);

  std::string Caption;
  // The bevels are kept; no backend draws them (docs/differences.md).
  uint8_t BevelInner = 0, BevelOuter = 0;
  uint16_t BevelWidth = 0;
  uint8_t EdgeStyle = 0;  // 1: thin border and sunken client edge
  uint16_t BorderWidth = 0;
  uint8_t Alignment = 0;
  THI_Event onClick;

  void Init() override;

 protected:
  void CtlClick(TControl&) override { FireNull(onClick); }
};
