#include "controls/font.h"

void THIFont::doFont(TData& data, uint16_t) {
  TFontRec f;
  f.Size = static_cast<uint8_t>(ReadInteger(data, SizePoint, Font.Size));
  f.Color = static_cast<uint32_t>(ReadInteger(data, ColorPoint, static_cast<int32_t>(Font.Color)));
  f.Name = ReadString(data, NamePoint, Font.Name);
  f.Style = static_cast<uint8_t>(ReadInteger(data, StylePoint, Font.Style));
  f.CharSet = static_cast<uint8_t>(ReadInteger(data, CharSetPoint, Font.CharSet));
  result_ = f;
  FireFont(onFont, &result_);
}
