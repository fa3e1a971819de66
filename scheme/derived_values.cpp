#include "scheme/derived_values.h"

TDerivedValues::TDerivedValues(TControl*, TScheme* parentScheme, THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 1);

  // Elements and properties.
  ReadIntelligence = build::ArrayRW(*this, MakeInteger(3));
  AttribVar = build::GlobalVar(*this, "attrib");
  WriteSkillPoints = build::ArrayRW(*this, MakeInteger(0));
  SkillsVar = build::GlobalVar(*this, "skills");
  DeriveHub = build::Hub(*this, 2);
  ReadStrength = build::ArrayRW(*this, MakeInteger(1));
  ReadHitPoints = build::ArrayRW(*this, MakeInteger(1));
  OtherVar = build::GlobalVar(*this, "other");
  WriteHitPoints = build::ArrayRW(*this, MakeInteger(1));
  Total = build::Math(*this, 0, 0, 0, 0);
  ReadIronflesh = build::ArrayRW(*this, MakeInteger(1));
  Double = build::Math(*this, 2, 0, 2, 0);
  AddStrength = build::Math(*this, 0, 0, 0, 1);
  Commands = build::MTIndexToChanel(*this, 3);

  // Data points.
  ReadIntelligence->ArrayPoint = MakeEvent<&THIGlobalVar::GetValue>(AttribVar);
  WriteSkillPoints->ArrayPoint = MakeEvent<&THIGlobalVar::GetValue>(SkillsVar);
  ReadStrength->ArrayPoint = MakeEvent<&THIGlobalVar::GetValue>(AttribVar);
  ReadIronflesh->ArrayPoint = MakeEvent<&THIGlobalVar::GetValue>(SkillsVar);
  ReadHitPoints->ArrayPoint = MakeEvent<&THIGlobalVar::GetValue>(OtherVar);
  WriteHitPoints->ArrayPoint = MakeEvent<&THIGlobalVar::GetValue>(OtherVar);
  AddStrength->Op1Point = MakeEvent<&THIArrayRW::GetItem>(ReadStrength);
  Total->Op1Point = MakeEvent<&THIMath::GetResult>(Double);

  // 1. Only command 2 derives.
  Edit->onWork[0] = MakeEvent<&THIMT_IndexToChanel::doEvent>(Commands);
  Commands->onEvent[2] = MakeEvent<&THIHub::doEvent>(DeriveHub);

  // 2. Skill points := intelligence.
  DeriveHub->onEvent[0] = MakeEvent<&THIArrayRW::doRead>(ReadIntelligence);
  ReadIntelligence->onItem = MakeEvent<&THIArrayRW::doWrite>(WriteSkillPoints);

  // 3. Hit points := 2 x ironflesh + (strength + hit points).
  DeriveHub->onEvent[1] = MakeEvent<&THIArrayRW::doRead>(ReadStrength);
  ReadStrength->onItem = MakeEvent<&THIArrayRW::doRead>(ReadIronflesh);
  ReadIronflesh->onItem = MakeEvent<&THIMath::doOperation>(Double);
  Double->onResult = MakeEvent<&THIArrayRW::doRead>(ReadHitPoints);
  ReadHitPoints->onItem = MakeEvent<&THIMath::doOperation>(AddStrength);
  AddStrength->onResult = MakeEvent<&THIMath::doOperation>(Total);
  Total->onResult = MakeEvent<&THIArrayRW::doWrite>(WriteHitPoints);
}
