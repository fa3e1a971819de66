#include "scheme/result_tables.h"

TResultTables::TResultTables(TControl*, TScheme* parentScheme, THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 1);
  BuildTables();
  BuildFillers();
  WireClear();
  WireFill();
  WirePublish();
}

void TResultTables::BuildTables() {
  // Each table, its shared variable and the step that publishes it.
  AttribTable = build::IntegerArray(*this, "attrib.txt", true, false);
  SkillsTable = build::IntegerArray(*this, "skills.txt", true, false);
  ProficTable = build::IntegerArray(*this, "profic.txt", true, false);
  OtherTable = build::IntegerArray(*this, "other.txt", true, false);
  AttribVar = build::GlobalVar(*this, "attrib");
  SkillsVar = build::GlobalVar(*this, "skills");
  ProficVar = build::GlobalVar(*this, "profic");
  OtherVar = build::GlobalVar(*this, "other");
  PublishAttrib = build::DoData(*this);
  PublishSkills = build::DoData(*this);
  PublishProfic = build::DoData(*this);
  PublishOther = build::DoData(*this);

  PublishAttrib->DataPoint = MakeEvent<&THIIntegerArray::GetArray>(AttribTable);
  PublishSkills->DataPoint = MakeEvent<&THIIntegerArray::GetArray>(SkillsTable);
  PublishProfic->DataPoint = MakeEvent<&THIIntegerArray::GetArray>(ProficTable);
  PublishOther->DataPoint = MakeEvent<&THIIntegerArray::GetArray>(OtherTable);
}

void TResultTables::BuildFillers() {
  StartHub = build::Hub(*this, 3);
  ClearHub = build::Hub(*this, 4);
  TableLoop = build::For(*this, 0, 3);
  TableHub = build::Hub(*this, 2);
  Pick = build::GetIndexData(*this, 4);
  SizeSwitch = build::IndexToChanel(*this, 4);
  FillAttrib = build::For(*this, 0, 4);
  FillSkills = build::For(*this, 0, 24);
  FillProfic = build::For(*this, 0, 6);
  FillOther = build::For(*this, 0, 4);
  Zero = build::Memory(*this, MakeInteger(0));
  Filler = build::ArrayRW(*this);
  PublishHub = build::Hub(*this, 4);

  Pick->DataPoint[0] = MakeEvent<&THIIntegerArray::GetArray>(AttribTable);
  Pick->DataPoint[1] = MakeEvent<&THIIntegerArray::GetArray>(SkillsTable);
  Pick->DataPoint[2] = MakeEvent<&THIIntegerArray::GetArray>(ProficTable);
  Pick->DataPoint[3] = MakeEvent<&THIIntegerArray::GetArray>(OtherTable);
  Filler->ArrayPoint = MakeEvent<&THIGetIndexData::GetValue>(Pick);
  Filler->ValuePoint = MakeEvent<&THIMemory::GetValue>(Zero);
}

void TResultTables::WireClear() {
  // A run: clear, fill, publish. Clearing empties the four tables.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(StartHub);
  StartHub->onEvent[0] = MakeEvent<&THIHub::doEvent>(ClearHub);
  StartHub->onEvent[1] = MakeEvent<&THIFor::doFor>(TableLoop);
  StartHub->onEvent[2] = MakeEvent<&THIHub::doEvent>(PublishHub);

  ClearHub->onEvent[0] = MakeEvent<&THIIntegerArray::doClear>(AttribTable);
  ClearHub->onEvent[1] = MakeEvent<&THIIntegerArray::doClear>(SkillsTable);
  ClearHub->onEvent[2] = MakeEvent<&THIIntegerArray::doClear>(ProficTable);
  ClearHub->onEvent[3] = MakeEvent<&THIIntegerArray::doClear>(OtherTable);
}

void TResultTables::WireFill() {
  // Table t: select it, then run its fill loop, which appends one zero per pass.
  TableLoop->onEvent = MakeEvent<&THIHub::doEvent>(TableHub);
  TableHub->onEvent[0] = MakeEvent<&THIGetIndexData::doIndex>(Pick);
  TableHub->onEvent[1] = MakeEvent<&THIIndexToChanel::doEvent>(SizeSwitch);
  SizeSwitch->onEvent[0] = MakeEvent<&THIFor::doFor>(FillAttrib);
  SizeSwitch->onEvent[1] = MakeEvent<&THIFor::doFor>(FillSkills);
  SizeSwitch->onEvent[2] = MakeEvent<&THIFor::doFor>(FillProfic);
  SizeSwitch->onEvent[3] = MakeEvent<&THIFor::doFor>(FillOther);
  FillAttrib->onEvent = MakeEvent<&THIArrayRW::doAdd>(Filler);
  FillSkills->onEvent = MakeEvent<&THIArrayRW::doAdd>(Filler);
  FillProfic->onEvent = MakeEvent<&THIArrayRW::doAdd>(Filler);
  FillOther->onEvent = MakeEvent<&THIArrayRW::doAdd>(Filler);
}

void TResultTables::WirePublish() {
  // Each table into its shared variable.
  PublishHub->onEvent[0] = MakeEvent<&THIDoData::doData>(PublishAttrib);
  PublishHub->onEvent[1] = MakeEvent<&THIDoData::doData>(PublishSkills);
  PublishHub->onEvent[2] = MakeEvent<&THIDoData::doData>(PublishProfic);
  PublishHub->onEvent[3] = MakeEvent<&THIDoData::doData>(PublishOther);
  PublishAttrib->onData = MakeEvent<&THIGlobalVar::doValue>(AttribVar);
  PublishSkills->onData = MakeEvent<&THIGlobalVar::doValue>(SkillsVar);
  PublishProfic->onData = MakeEvent<&THIGlobalVar::doValue>(ProficVar);
  PublishOther->onData = MakeEvent<&THIGlobalVar::doValue>(OtherVar);
}
