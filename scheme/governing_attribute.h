// The attribute that governs a skill: for skill label i sends i on event point 0, then the label
// index of its attribute (0 for i < 4, 1 below 10, 2 below 21, 3 below 24) on event point 1.
// From 24 on (the skill points label) only i is sent.
#pragma once

#include "scheme/build.h"

class TGoverningAttribute : public TSubScheme {
 public:
  TGoverningAttribute(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;
  THIHub* Hub;
  THIIf_else* Below4;
  THIIf_else* Below10;
  THIChanelToIndex* ToAttribute;
  THIIf_else* Below21;
  THIIf_else* Below24;
};
