// THIFont: a font value source.
#pragma once

#include "runtime/element.h"
#include "ui/backend.h"
#include "ui/fontrec.h"

class THIFont : public THIBase {
 public:
  TFontRec Font;
  uint8_t ShowDialog = 0;  // 1: doFont lets the user pick the font in the system dialog first
  THI_Event onFont;
  THI_Event NamePoint, ColorPoint, SizePoint, StylePoint, CharSetPoint;

  // Reads Size, Color, Name, Style, CharSet (each defaulting to Font's) and fires onFont. With
  // ShowDialog, the font dialog shows them first: a confirmed choice replaces them, a cancel
  // fires nothing.
  void doFont(TData& data, uint16_t);
  const TFontRec& Last() const { return result_; }

  // The font a confirmed dialog choice stands for: face, size (tenths / 10), colour and charset
  // taken, the style rebuilt (bold from weight 700, +2 italic, +4 underline, +8 strike-out).
  static TFontRec FromChoice(const TFontChoice& choice);

 private:
  TFontRec result_;
};
