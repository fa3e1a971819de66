// THILabel: static text with hover styling.
#pragma once

#include "controls/win.h"

class THILabel : public THIWin {
 public:
  explicit THILabel(TControl* parent);

  THI_Event onClick;
  uint32_t HoverColor = 0;
  int32_t HoverCursor = 0;
  uint8_t HoverUnderline = 0;
  std::string Caption;
  THI_Event TextPoint;

  void SetAutoSize(bool on);
  bool AutoSize() const { return autoSize_; }
  void SetAlignment(uint8_t a) { Control->SetAlignment(a); }
  void Init() override;

  void doText(TData& data, uint16_t);

 protected:
  void MouseOver() override;
  void MouseLeave() override;
  void CtlClick(TControl&) override { FireNull(onClick); }

 private:
  void SetText(std::string_view text);
  bool autoSize_ = false;
};
