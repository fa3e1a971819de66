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

  THIEditMulti* Edit;              // the boundary: hovered labels in, reports out
  THIHub* AttrHub;                 // attribute k: report it, then its related labels
  THIIndexToChanel* AttrRelated;   // attribute 0, 1, 2 to hit, weapon, skill points
  THIDoData* WeaponPointsLabel;    // proficiency label 6, the weapon points
  THIDoData* SkillPointsLabel;     // skill label 24, the skill points
  THIHub* SkillHub;                // skill i: report it, then its related label
  THIDoData* HitPointsLabel;       // other-values label 0, the hit points
  THIIndexToChanel* SkillRelated;  // skill 0 (ironflesh) to the hit points
  THIMT_ChanelToIndex* Report;     // [channel, label] into one report chain
};
