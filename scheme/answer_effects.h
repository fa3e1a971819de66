// The answer effects of one question: walks the question's stored lines "W code V" and feeds
// every line of answer k through the four effect appliers, either adding V to the coded item or
// only reporting which result label the line touches.
//
// Work point 0: preview answer k. Work point 1: not used. Work point 2: apply answer k.
// Data point 0: the question's list of stored lines (an Array value).
// Event points 0 .. 3 (preview only): a label index in the attributes, skills, proficiencies or
// other-values box.
#pragma once

#include "scheme/build.h"

class TAnswerEffects : public TSubScheme {
 public:
  TAnswerEffects(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;
  THIMemory* Answer;
  THIMemory* Factor;
  THIDoData* SetOne;
  THIHub* ApplyHub;
  THIArrayEnum* LineEnum;
  THIStrPart* AnswerSplit;
  THIIf_else* AnswerTest;
  THIStrPart* CodeSplit;
  THIMemory* Amount;
  THIGlobalVar* AttribVar;
  THIGlobalVar* SkillsVar;
  THIGlobalVar* ProficVar;
  THIGlobalVar* OtherVar;
  THIMultiElement* AttribStage;
  THIMultiElement* SkillsStage;
  THIMultiElement* ProficStage;
  THIMultiElement* OtherStage;
};
