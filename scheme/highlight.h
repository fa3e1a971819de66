// The highlight sub-scheme inside every question group and result box: sets the bold font on one
// button or label, or the regular font on all of them.
//
// Work point 0: bold font on item k (the colour read from data point 0, else k itself).
// Work point 1: regular font on items 0 .. 24.
// Event points 0 .. 24: the font for item k (linked to its doFont).
// Data point 0: the colour of the bold font.
#pragma once

#include "scheme/build.h"
#include "scheme/build_ui.h"

class THighlight : public TSubScheme {
 public:
  THighlight(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  static constexpr int Items = 25;

  THIEditMulti* Edit;
  THIFont* Regular;
  THIFont* Bold;
  THIMemory* Current;
  THIIndexToChanel* Target;
  THIFor* Sweep;
  THIHub* HighlightHub;
  THIHub* SweepHub;
  THIDoData* Push;
};
