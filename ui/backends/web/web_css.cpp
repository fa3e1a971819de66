#include "ui/backends/web/web_css.h"

#include <cstdio>
#include <cstdlib>

#include "ui/control.h"
#include "ui/fontface.h"

std::string CssColor(uint32_t color) {
  uint32_t rgb = ResolveColor(color);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
  return buf;
}

std::string CssFont(const TFontRec& f) {
  int px = std::abs(FontHeightFor(f.Size, 96));
  if (px <= 0) px = 11;
  std::string family = SubstituteFontFamily(f.Name);
  std::string css;
  if (f.Style & fsItalic) css += "italic ";
  if (f.Style & fsBold) css += "bold ";
  css += std::to_string(px) + "px ";
  // Quotes and backslashes cannot end the quoted family early.
  css += '"';
  for (char ch : family)
    if (ch != '"' && ch != '\\' && static_cast<unsigned char>(ch) >= 0x20) css += ch;
  css += "\", \"Liberation Sans\", Arial, sans-serif";
  return css;
}

std::string CssDecoration(const TFontRec& f) {
  bool under = f.Style & fsUnderline, strike = f.Style & fsStrikeOut;
  if (under && strike) return "underline line-through";
  if (under) return "underline";
  return strike ? "line-through" : "none";
}

std::string CssCursor(int32_t cursor) {
  switch (cursor) {
    case crArrow:
      return "default";
    case crIBeam:
      return "text";
    case crWait:
      return "wait";
    case crCross:
      return "crosshair";
    case crSizeAll:
      return "move";
    case crNo:
      return "not-allowed";
    case crHand:
      return "pointer";
    default:
      return "default";
  }
}

std::string CssAlign(uint8_t alignment) {
  return alignment == taRight ? "right" : alignment == taCenter ? "center" : "left";
}
