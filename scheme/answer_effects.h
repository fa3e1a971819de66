// The answer effects of one question: walks the question's stored lines "W code V" and feeds
// every line of answer k through the four effect appliers, either adding V to the coded item or
// only reporting which result label the line touches.
//
// Work point 0: preview answer k. Work point 1: not used. Work point 2: apply answer k.
// Data point 0: the question's list of stored lines (an Array value).
// Event points 0 .. 3 (preview only): a label index in the attributes, skills, proficiencies or
// other-values box.
#pragma once

#include <array>
#include <vector>

#include "elements/array.h"
#include "scheme/build.h"

// One row a preview of an answer marks: the result box (0 attributes .. 3 other values), the
// label index in it, and the amount an apply would add (the lines of one row summed).
struct TAnswerChange {
  int Box = 0;
  int32_t Row = 0;
  int32_t Amount = 0;
};
// The rows answer k's lines "W code V" touch, in line order, as the sub-scheme's walk finds
// them (nullptr lines: none).
std::vector<TAnswerChange> AnswerChanges(const TArrayIntf* lines, int32_t answer);

class TAnswerEffects : public TSubScheme {
 public:
  TAnswerEffects(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;       // the boundary: k in (0 preview, 2 apply), lines in, label indexes out
  THIMemory* Answer;        // the answer k being previewed or applied; starts the walk
  THIMemory* Factor;        // 1 while applying, else 0 (preview)
  THIDoData* SetOne;        // sets the factor to 1 before an apply
  THIHub* ApplyHub;         // apply: factor 1, walk answer k, factor 0
  THIArrayEnum* LineEnum;   // each stored line "W code V" of the question
  THIStrPart* AnswerSplit;  // a line: W, then "code V"
  THIIf_else* AnswerTest;   // passes "code V" when W equals k
  THIStrPart* CodeSplit;    // "code V": the code into the first applier, V first
  THIMemory* Amount;        // V, the amount for the appliers
  THIGlobalVar* AttribVar;  // the four shared totals tables, one per applier
  THIGlobalVar* SkillsVar;
  THIGlobalVar* ProficVar;
  THIGlobalVar* OtherVar;
  THIMultiElement* AttribStage;  // the appliers, chained: a code in, a label index out
  THIMultiElement* SkillsStage;
  THIMultiElement* ProficStage;
  THIMultiElement* OtherStage;

 private:
  // Construction steps, in order.
  void BuildWalk();
  void BuildStages(TControl* parentWindow);
  void WireAnswer();
  void WireWalk();
  void WireStages();
  // The four appliers in chain order.
  std::array<THIMultiElement*, 4> Stages() const;
};
