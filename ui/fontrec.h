// TFontRec: the font of a window, colours as Win32 colour values, and the points-to-height rule.
#pragma once

#include <cstdint>
#include <string>

// Style bits of TFontRec::Style.
enum : uint8_t {
  fsBold = 1,
  fsItalic = 2,
  fsUnderline = 4,
  fsStrikeOut = 8,
};

struct TFontRec {
  std::string Name = "MS Sans Serif";
  uint8_t Size = 8;     // points
  uint8_t Style = 0;    // fsBold | fsItalic | fsUnderline | fsStrikeOut
  uint32_t Color = 0;   // 0x00BBGGRR or a system colour
  uint8_t CharSet = 1;  // 1 default, 204 Cyrillic, ...

  bool operator==(const TFontRec&) const = default;
};

// Font height in pixels (negative: character height) for a size in points:
// -(points * pixelsPerInch + 36) / 72, integer division.
inline int32_t FontHeightFor(int32_t points, int32_t pixelsPerInch) {
  return -((points * pixelsPerInch + 36) / 72);
}

// ---- colours ----

// A colour with the high byte 0xFF is a system colour: the low byte is its index.
constexpr uint32_t clSystemFlag = 0xFF000000u;
constexpr uint32_t SystemColor(uint32_t index) {
  return clSystemFlag | index;
}
inline bool IsSystemColor(uint32_t c) {
  return (c & 0xFF000000u) == clSystemFlag;
}

constexpr uint32_t clScrollBar = SystemColor(0);
constexpr uint32_t clBtnFace = SystemColor(15);
constexpr uint32_t clWindow = SystemColor(5);
constexpr uint32_t clWindowText = SystemColor(8);
constexpr uint32_t clBtnText = SystemColor(18);
constexpr uint32_t clHighlight = SystemColor(13);
constexpr uint32_t clHighlightText = SystemColor(14);
constexpr uint32_t clInfoText = SystemColor(23);
constexpr uint32_t clInfoBk = SystemColor(24);

// The plain 0x00BBGGRR value of a colour; system colours take the classic default scheme,
// other values keep their low 24 bits.
uint32_t ResolveColor(uint32_t c);
inline uint8_t RedOf(uint32_t rgb) {
  return static_cast<uint8_t>(rgb & 0xFF);
}
inline uint8_t GreenOf(uint32_t rgb) {
  return static_cast<uint8_t>((rgb >> 8) & 0xFF);
}
inline uint8_t BlueOf(uint32_t rgb) {
  return static_cast<uint8_t>((rgb >> 16) & 0xFF);
}
