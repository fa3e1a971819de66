// The derived values, computed after every question has applied its answer:
// skill points := intelligence; hit points := hit points + strength + 2 x ironflesh.
//
// Work point 0: the command chain of the question groups; only command 2 (re-apply) derives.
#pragma once

#include "scheme/build.h"

class TDerivedValues : public TSubScheme {
 public:
  TDerivedValues(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;             // the boundary: work point 0 takes the question command chain
  THIArrayRW* ReadIntelligence;   // attribute 3, intelligence
  THIGlobalVar* AttribVar;        // "attrib", read for intelligence and strength
  THIArrayRW* WriteSkillPoints;   // intelligence into skill item 0, the skill points
  THIGlobalVar* SkillsVar;        // "skills", read for ironflesh, written with the skill points
  THIHub* DeriveHub;              // command 2: skill points, then hit points
  THIArrayRW* ReadStrength;       // attribute 1, strength
  THIArrayRW* ReadHitPoints;      // other value 1, the hit points
  THIGlobalVar* OtherVar;         // "other", read and written for the hit points
  THIArrayRW* WriteHitPoints;     // the new hit points into other value 1
  THIMath* Total;                 // 2 x ironflesh + (strength + hit points)
  THIArrayRW* ReadIronflesh;      // skill 1, ironflesh
  THIMath* Double;                // 2 x ironflesh
  THIMath* AddStrength;           // strength + hit points
  THIMT_IndexToChanel* Commands;  // the command chain, split by its command number
};
