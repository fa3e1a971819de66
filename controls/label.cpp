#include "controls/label.h"

THILabel::THILabel(TControl* parent) : THIWin(parent) {
  Control = new TControl(TControlKind::Label, parent);
}

void THILabel::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on) SetText(Control->Text());
}

void THILabel::SetText(std::string_view text) {
  Control->SetText(text);
  if (autoSize_) {
    TSize s = Control->MeasureText(text);
    Control->SetSize(s.Width, s.Height);
  }
}

void THILabel::Init() {
  THIWin::Init();
  SetText(Caption);
}

void THILabel::doText(TData& data, uint16_t) {
  SetText(ReadString(data, TextPoint));
}

void THILabel::MouseOver() {
  THIWin::MouseOver();
  TFontRec f = Control->Font();
  if (HoverColor != 0) f.Color = HoverColor;
  if (HoverUnderline) f.Style |= fsUnderline;
  Control->SetFont(f);
  if (HoverCursor != 0) Control->SetCursor(HoverCursor);
}

void THILabel::MouseLeave() {
  THIWin::MouseLeave();
  TFontRec f = Control->Font();
  if (HoverColor != 0) f.Color = Font.Color;
  if (HoverUnderline) f.Style &= static_cast<uint8_t>(~fsUnderline);
  Control->SetFont(f);
  if (HoverCursor != 0) Control->SetCursor(0);
}
