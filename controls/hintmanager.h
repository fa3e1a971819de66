// THIHintManager: gives attached windows a tool tip; its Manager value is the service.
#pragma once

#include <string>

#include "controls/win.h"

class THIHintManager : public THIBase, public TToolTipService {
 public:
  std::string Name;
  uint8_t Balloon = 0;  // 0: balloon tips
  uint32_t BackColor = clInfoBk;
  uint32_t TextColor = clInfoText;
  int32_t InitialDelay = 500;
  int32_t AutoPopDelay = 5000;
  int32_t Margin = 0;
  uint8_t Tracking = 0;
  TFontRec Font;

  TToolTipService* Manager() { return this; }
  // The Manager value: an object value referring to the service.
  void GetManager(TData& data, uint16_t);

  void AddTool(TControl& c) override;
  void RemoveTool(TControl& c) override;
  void SetToolText(TControl& c, std::string_view text) override;
  void SetToolTitle(TControl& c, std::string_view title, int icon) override;
  void TrackTool(TControl& c, bool on) override;
  void TrackPosition(TControl& c, int x, int y) override;
};
