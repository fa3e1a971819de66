// THIFont: a font value source.
#pragma once

#include "runtime/element.h"
#include "ui/fontrec.h"

class THIFont : public THIBase {
 public:
  TFontRec Font;
  uint8_t ShowDialog = 0;  // no font dialog exists here; the values pass unchanged
  THI_Event onFont;
  THI_Event NamePoint, ColorPoint, SizePoint, StylePoint, CharSetPoint;

  // Reads Size, Color, Name, Style, CharSet (each defaulting to Font's) and fires onFont.
  void doFont(TData& data, uint16_t);
  const TFontRec& Last() const { return result_; }

 private:
  TFontRec result_;
};
