#include "scheme/answer_effects.h"

#include <cstdlib>
#include <string>

#include "scheme/effect_applier.h"

namespace {

// A whole decimal number, or false.
bool WholeNumber(const std::string& s, int32_t& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (*end != '\0') return false;
  out = static_cast<int32_t>(v);
  return true;
}

}  // namespace

std::vector<TAnswerChange> AnswerChanges(const TArrayIntf* lines, int32_t answer) {
  std::vector<TAnswerChange> out;
  if (!lines) return out;
  for (int32_t i = 0; i < lines->Count(); ++i) {
    TData item;
    lines->Get(MakeInteger(i), item);
    std::string line = ToString(item);
    size_t a = line.find(' ');
    if (a == std::string::npos) continue;
    size_t b = line.find(' ', a + 1);
    int32_t w = 0, code = 0, amount = 0;
    if (b == std::string::npos || !WholeNumber(line.substr(0, a), w) || w != answer) continue;
    if (!WholeNumber(line.substr(a + 1, b - a - 1), code)) continue;
    WholeNumber(line.substr(b + 1), amount);
    // Each applier takes 100 off; below 100 the code is its table's item, label item - 1.
    for (int box = 0; box < 4; ++box) {
      code -= 100;
      if (code >= 100) continue;
      TAnswerChange* same = nullptr;
      for (TAnswerChange& c : out)
        if (c.Box == box && c.Row == code - 1) same = &c;
      if (same)
        same->Amount += amount;
      else
        out.push_back({box, code - 1, amount});
      break;
    }
  }
  return out;
}

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
