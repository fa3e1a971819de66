// The derived values, computed after every question has applied its answer:
// skill points := intelligence; hit points := hit points + strength + 2 x ironflesh.
//
// Work point 0: the command chain of the question groups; only command 2 (re-apply) derives.
#pragma once

#include "scheme/build.h"

class TDerivedValues : public TSubScheme {
 public:
  TDerivedValues(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;
  THIArrayRW* ReadIntelligence;
  THIGlobalVar* AttribVar;
  THIArrayRW* WriteSkillPoints;
  THIGlobalVar* SkillsVar;
  THIHub* DeriveHub;
  THIArrayRW* ReadStrength;
  THIArrayRW* ReadHitPoints;
  THIGlobalVar* OtherVar;
  THIArrayRW* WriteHitPoints;
  THIMath* Total;
  THIArrayRW* ReadIronflesh;
  THIMath* Double;
  THIMath* AddStrength;
  THIMT_IndexToChanel* Commands;
};
