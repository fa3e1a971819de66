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

  THIEditMulti* Edit;            // the boundary: work point 0 resets and publishes
  THIIntegerArray* AttribTable;  // the attributes' totals (5)
  THIIntegerArray* SkillsTable;  // the skills' totals (25)
  THIIntegerArray* ProficTable;  // the proficiencies' totals (7)
  THIIntegerArray* OtherTable;   // the other values' totals (5)
  THIGlobalVar* AttribVar;       // "attrib": the table, for the answer effects and the box
  THIGlobalVar* SkillsVar;       // "skills"
  THIGlobalVar* ProficVar;       // "profic"
  THIGlobalVar* OtherVar;        // "other"
  THIDoData* PublishAttrib;      // the table into its variable, after the fill
  THIDoData* PublishSkills;
  THIDoData* PublishProfic;
  THIDoData* PublishOther;
  THIHub* StartHub;              // a run: clear, fill, publish
  THIHub* ClearHub;              // empties the four tables
  THIFor* TableLoop;             // table index 0 .. 3
  THIHub* TableHub;              // table t: select it, then run its fill loop
  THIGetIndexData* Pick;         // the selected table, for the filler
  THIIndexToChanel* SizeSwitch;  // table t to its fill loop
  THIFor* FillAttrib;            // one pass per zero of the table
  THIFor* FillSkills;
  THIFor* FillProfic;
  THIFor* FillOther;
  THIMemory* Zero;     // the value appended
  THIArrayRW* Filler;  // appends a zero to the selected table
  THIHub* PublishHub;  // publishes the four tables in turn

 private:
  // Construction steps, in order.
  void BuildTables();
  void BuildFillers();
  void WireClear();
  void WireFill();
  void WirePublish();
};
