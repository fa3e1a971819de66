#include "scheme/answer_effects.h"

#include "scheme/effect_applier.h"

using build::ContainerWork;
using build::ParentData;
using build::ParentEvent;

TAnswerEffects::TAnswerEffects(TControl* parentWindow, TScheme* parentScheme,
                               THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 3);
  BuildWalk();
  BuildStages(parentWindow);
  WireAnswer();
  WireWalk();
  WireStages();

  // Nested sub-schemes.
  for (THIMultiElement* stage : Stages())
    stage->SetMake(&MakeSubScheme<TEffectApplier>);
}

std::array<THIMultiElement*, 4> TAnswerEffects::Stages() const {
  return {AttribStage, SkillsStage, ProficStage, OtherStage};
}

void TAnswerEffects::BuildWalk() {
  Answer = build::Memory(*this);
  Factor = build::Memory(*this, MakeInteger(0));
  SetOne = build::DoData(*this, MakeInteger(1));
  ApplyHub = build::Hub(*this, 3);
  LineEnum = build::ArrayEnum(*this, 0);
  AnswerSplit = build::StrPart(*this, " ", 0);
  AnswerTest = build::IfElse(*this, THIIf_else::Equal, TData{});
  CodeSplit = build::StrPart(*this, " ", 1);
  Amount = build::Memory(*this);

  LineEnum->ArrayPoint = ParentData(Edit, 0);
  AnswerTest->Op1Point = MakeEvent<&THIMemory::GetValue>(Answer);
  AnswerTest->Op2Point = MakeEvent<&THIStrPart::GetLeft>(AnswerSplit);
}

void TAnswerEffects::BuildStages(TControl* parentWindow) {
  AttribVar = build::GlobalVar(*this, "attrib");
  SkillsVar = build::GlobalVar(*this, "skills");
  ProficVar = build::GlobalVar(*this, "profic");
  OtherVar = build::GlobalVar(*this, "other");
  AttribStage = build::Container(*this, parentWindow, 2, 3);
  SkillsStage = build::Container(*this, parentWindow, 2, 3);
  ProficStage = build::Container(*this, parentWindow, 2, 3);
  OtherStage = build::Container(*this, parentWindow, 2, 3);

  const std::array<THIGlobalVar*, 4> tables = {AttribVar, SkillsVar, ProficVar, OtherVar};
  const std::array<THIMultiElement*, 4> stages = Stages();
  for (size_t t = 0; t < stages.size(); ++t) {
    stages[t]->Data[0] = MakeEvent<&THIMemory::GetValue>(Factor);
    stages[t]->Data[1] = MakeEvent<&THIGlobalVar::GetValue>(tables[t]);
    stages[t]->Data[2] = MakeEvent<&THIMemory::GetValue>(Amount);
  }
}

void TAnswerEffects::WireAnswer() {
  // Preview k.
  Edit->onWork[0] = MakeEvent<&THIMemory::doValue>(Answer);
  // Apply k: factor 1 for the walk, then back to 0.
  Edit->onWork[2] = MakeEvent<&THIHub::doEvent>(ApplyHub);
  ApplyHub->onEvent[0] = MakeEvent<&THIDoData::doData>(SetOne);
  ApplyHub->onEvent[1] = MakeEvent<&THIMemory::doValue>(Answer);
  ApplyHub->onEvent[2] = MakeEvent<&THIMemory::doClear>(Factor);
  SetOne->onData = MakeEvent<&THIMemory::doValue>(Factor);
}

void TAnswerEffects::WireWalk() {
  // Walk the lines; those whose W equals k go on as "code V".
  Answer->onData = MakeEvent<&THIArrayEnum::doEnum>(LineEnum);
  LineEnum->onItem = MakeEvent<&THIStrPart::doSplit>(AnswerSplit);
  AnswerSplit->onRight = MakeEvent<&THIIf_else::doCompare>(AnswerTest);
  AnswerTest->onTrue = MakeEvent<&THIStrPart::doSplit>(CodeSplit);
  // The amount is stored first, then the code enters the first applier.
  CodeSplit->onRight = MakeEvent<&THIMemory::doValue>(Amount);
  CodeSplit->onLeft = ContainerWork(AttribStage, 0);
}

void TAnswerEffects::WireStages() {
  // Codes not in a table go on to the next; previews leave on event point t.
  const std::array<THIMultiElement*, 4> stages = Stages();
  for (size_t t = 0; t < stages.size(); ++t) {
    if (t + 1 < stages.size()) stages[t]->onEvent[1] = ContainerWork(stages[t + 1], 0);
    stages[t]->onEvent[0] = ParentEvent(Edit, static_cast<uint16_t>(t));
  }
}
