#include "controls/font.h"

#include <algorithm>

TFontRec THIFont::FromChoice(const TFontChoice& choice) {
  TFontRec f;
  f.Name = choice.Face;
  f.Size = static_cast<uint8_t>(std::clamp(choice.PointTenths / 10, 0, 255));
  f.Color = choice.Color;
  f.CharSet = choice.CharSet;
  f.Style = static_cast<uint8_t>(
      (choice.Weight >= 700 ? fsBold : 0) | (choice.Italic ? fsItalic : 0) |
      (choice.Underline ? fsUnderline : 0) | (choice.StrikeOut ? fsStrikeOut : 0));
  return f;
}

void THIFont::doFont(TData& data, uint16_t) {
  TFontRec f;
  f.Size = static_cast<uint8_t>(ReadInteger(data, SizePoint, Font.Size));
  f.Color = static_cast<uint32_t>(ReadInteger(data, ColorPoint, static_cast<int32_t>(Font.Color)));
  f.Name = ReadString(data, NamePoint, Font.Name);
  f.Style = static_cast<uint8_t>(ReadInteger(data, StylePoint, Font.Style));
  f.CharSet = static_cast<uint8_t>(ReadInteger(data, CharSetPoint, Font.CharSet));
  if (ShowDialog) {
    TFontChoice choice;
    if (!Backend().PickFont(nullptr, f, choice)) return;
    f = FromChoice(choice);
  }
  result_ = f;
  FireFont(onFont, &result_);
}
