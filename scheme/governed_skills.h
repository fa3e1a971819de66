// The skills an attribute governs: for attribute label k (0 strength .. 3 charisma) sends k on
// event point 0, then the label index of every governed skill, in increasing order, on event
// point 1. Any other k is only sent on event point 0.
#pragma once

#include "scheme/build.h"

class TGovernedSkills : public TSubScheme {
 public:
  TGovernedSkills(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;
  THIFor* StrengthSkills;
  THIFor* AgilitySkills;
  THIFor* IntelligenceSkills;
  THIFor* CharismaSkills;
  THIIndexToChanel* PickAttribute;
  THIHub* Hub;
};
