// The result tables: four integer tables of 5, 25, 7 and 5 zeros, published in the shared
// variables "attrib", "skills", "profic" and "other". Every run empties the same four tables,
// refills them with zeros and publishes them again.
//
// Work point 0: reset and publish (the incoming value is not used).
#pragma once

#include "scheme/build.h"

class TResultTables : public TSubScheme {
 public:
  TResultTables(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;
  THIIntegerArray* AttribTable;
  THIIntegerArray* SkillsTable;
  THIIntegerArray* ProficTable;
  THIIntegerArray* OtherTable;
  THIGlobalVar* AttribVar;
  THIGlobalVar* SkillsVar;
  THIGlobalVar* ProficVar;
  THIGlobalVar* OtherVar;
  THIDoData* PublishAttrib;
  THIDoData* PublishSkills;
  THIDoData* PublishProfic;
  THIDoData* PublishOther;
  THIHub* StartHub;
  THIHub* ClearHub;
  THIFor* TableLoop;
  THIHub* TableHub;
  THIGetIndexData* Pick;
  THIIndexToChanel* SizeSwitch;
  THIFor* FillAttrib;
  THIFor* FillSkills;
  THIFor* FillProfic;
  THIFor* FillOther;
  THIMemory* Zero;
  THIArrayRW* Filler;
  THIHub* PublishHub;
};
