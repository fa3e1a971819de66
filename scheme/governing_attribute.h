// The attribute that governs a skill: for skill label i sends i on event point 0, then the label
// index of its attribute (0 for i < 4, 1 below 10, 2 below 21, 3 below 24) on event point 1.
// From 24 on (the skill points label) only i is sent.
#pragma once

#include "scheme/build.h"

class TGoverningAttribute : public TSubScheme {
 public:
  TGoverningAttribute(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;   // the boundary: skill i in; i on event point 0, its attribute on 1
  THIHub* Hub;          // i itself, then the range tests
  THIIf_else* Below4;   // i < 4: strength
  THIIf_else* Below10;  // i < 10: agility
  THIChanelToIndex* ToAttribute;  // the attribute index found by the range tests
  THIIf_else* Below21;            // i < 21: intelligence
  THIIf_else* Below24;            // i < 24: charisma
};
