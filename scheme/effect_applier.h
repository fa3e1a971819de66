// The effect applier: one per totals table, chained attributes -> skills -> proficiencies ->
// other values. A code K in 100 .. 199 belongs to this applier's table, item K - 100; larger codes
// go on to the next applier reduced by 100.
//
// Work point 0: a code (text or number).
// Data point 0: the factor (Integer 1 applies, anything else previews); data point 1: the table
// (an Array value); data point 2: the amount.
// Event point 0 (preview only): the label index (K - 100) - 1 of the touched item.
// Event point 1: K - 100, when that is 100 or more.
#pragma once

#include "scheme/build.h"

class TEffectApplier : public TSubScheme {
 public:
  TEffectApplier(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;  // the boundary: a code in; factor, table and amount read; label or code out
  THIArrayRW* ReadItem;     // the touched item of the table
  THIMath* AddAmount;       // the item + the amount
  THIArrayRW* WriteItem;    // the sum back into the item
  THIIf_else* InThisArray;  // passes K - 100 below 100 (this table), else sends it on
  THIMath* Offset;          // K - 100
  THIMath* LabelIndex;      // (K - 100) - 1, the label index
  THIIf_else* IsPreview;    // factor not 1: name the label, else add the amount
};
