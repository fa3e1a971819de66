// The skills an attribute governs: for attribute label k (0 strength .. 3 charisma) sends k on
// event point 0, then the label index of every governed skill, in increasing order, on event
// point 1. Any other k is only sent on event point 0.
#pragma once

#include "scheme/build.h"

class TGovernedSkills : public TSubScheme {
 public:
  TGovernedSkills(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;          // the boundary: attribute k in; k on event point 0, its skills on 1
  THIFor* StrengthSkills;      // skill labels 0 .. 3
  THIFor* AgilitySkills;       // skill labels 4 .. 9
  THIFor* IntelligenceSkills;  // skill labels 10 .. 20
  THIFor* CharismaSkills;      // skill labels 21 .. 23
  THIIndexToChanel* PickAttribute;  // attribute k to the loop over its skills
  THIHub* Hub;                      // k itself, then its skills
};
