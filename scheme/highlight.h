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

  THIEditMulti* Edit;        // the boundary: bold k or all regular in, fonts out
  THIFont* Regular;          // the regular font, once per item on a sweep
  THIFont* Bold;             // the bold font in the colour of data point 0
  THIMemory* Current;        // the item the next font goes to
  THIIndexToChanel* Target;  // a font to the event point of the current item
  THIFor* Sweep;             // items 0 .. 24, for all regular
  THIHub* HighlightHub;      // bold k: remember k, then send the bold font
  THIHub* SweepHub;          // each item: remember it, then send the regular font
  THIDoData* Push;           // starts the regular font for the current item
};
