// The related labels: turns a hovered result label into report chains [channel, label] for the
// result-box bus (1 the hovered label, 2 attribute, 3 skill, 4 proficiency, 5 other value).
//
// Work points: 0 attribute label k hovered; 1 a skill governed by it; 2 skill label i hovered;
// 3 the attribute governing it; 4 proficiency label hovered; 5 other-values label hovered.
// Event point 0: the report chains.
#pragma once

#include "scheme/build.h"

class TRelatedLabels : public TSubScheme {
 public:
  TRelatedLabels(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;
  THIHub* AttrHub;
  THIIndexToChanel* AttrRelated;
  THIDoData* WeaponPointsLabel;
  THIDoData* SkillPointsLabel;
  THIHub* SkillHub;
  THIDoData* HitPointsLabel;
  THIIndexToChanel* SkillRelated;
  THIMT_ChanelToIndex* Report;
};
