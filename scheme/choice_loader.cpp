#include "scheme/choice_loader.h"

#include "scheme/sheet_counts.h"

using build::ParentEvent;

TChoiceLoader::TChoiceLoader(TControl*, TScheme* parentScheme, THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 1);
  BuildLineTests();
  BuildLineStore();
  WireLoad();
  WireLineTests();
  WireBlockEnd();
  WireAnswerLine();
}

void TChoiceLoader::BuildLineTests() {
  StartHub = build::Hub(*this, 5);
  CodeTable = build::IntegerArray(*this, choice_format::CodeFile, true, true);
  ChoiceFile = build::StrList(*this, choice_format::ChoiceFile);
  LineEnum = build::ArrayEnum(*this, 0);
  LineHub = build::Hub(*this, 3);
  EndMark = build::Position(*this, choice_format::EndMark, 1, 1, 1);
  ChoiceMark = build::Position(*this, choice_format::HeaderMark, 1, 1, 1);
  InBlock = build::Memory(*this, MakeInteger(0));
  EndHub = build::Hub(*this, 3);
  NotHeader = build::IfElse(*this, THIIf_else::NotEqual, MakeInteger(1));
  InBlockTest = build::IfElse(*this, THIIf_else::Equal, MakeInteger(1));
  LineLength = build::Length(*this);
  NonEmpty = build::IfElse(*this, THIIf_else::Greater, MakeInteger(0));

  LineEnum->ArrayPoint = MakeEvent<&THIStrList::GetArray>(ChoiceFile);
  NotHeader->Op1Point = MakeEvent<&THIPosition::GetPosition>(ChoiceMark);
  InBlockTest->Op1Point = MakeEvent<&THIMemory::GetValue>(InBlock);
}

void TChoiceLoader::BuildLineStore() {
  AnswerSplit = build::StrPart(*this, " ", 0);
  SkipDash = build::IfElse(*this, THIIf_else::Equal, MakeString("-"));
  NameSplit = build::StrPart(*this, "=", 0);
  CodeRead = build::ArrayRW(*this);
  LineFormat = build::FormatStr(*this, 3, "%1 %2 %3");
  Block = build::StrList(*this, "");
  BlockEnum = build::ArrayEnum(*this, 0);
  BlockNo = build::Counter(*this, 0, 0, sheet::Blocks - 1, 1, 0);
  ToCommand = build::IndexToChanel(*this, sheet::Blocks);
  Command = build::MTChanelToIndex(*this, sheet::LineCommands);

  AnswerSplit->StrPoint = MakeEvent<&THIArrayEnum::GetItem>(LineEnum);
  SkipDash->Op1Point = MakeEvent<&THIStrPart::GetLeft>(AnswerSplit);
  CodeRead->ArrayPoint = MakeEvent<&THIIntegerArray::GetArray>(CodeTable);
  LineFormat->StrPoint[0] = MakeEvent<&THIStrPart::GetLeft>(AnswerSplit);
  LineFormat->StrPoint[1] = MakeEvent<&THIArrayRW::GetItem>(CodeRead);
  BlockEnum->ArrayPoint = MakeEvent<&THIStrList::GetArray>(Block);
  ToCommand->IndexPoint = MakeEvent<&THICounter::GetValue>(BlockNo);
}

void TChoiceLoader::WireLoad() {
  // Load both files, walk the lines, then drop both files.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(StartHub);
  StartHub->onEvent[0] = MakeEvent<&THIIntegerArray::doLoad>(CodeTable);
  StartHub->onEvent[1] = MakeEvent<&THIStrList::doLoad>(ChoiceFile);
  StartHub->onEvent[2] = MakeEvent<&THIArrayEnum::doEnum>(LineEnum);
  StartHub->onEvent[3] = MakeEvent<&THIStrList::doClear>(ChoiceFile);
  StartHub->onEvent[4] = MakeEvent<&THIIntegerArray::doClear>(CodeTable);
}

void TChoiceLoader::WireLineTests() {
  // Per line: end test, header test, answer-line path.
  LineEnum->onItem = MakeEvent<&THIHub::doEvent>(LineHub);
  LineHub->onEvent[0] = MakeEvent<&THIPosition::doSearch>(EndMark);
  LineHub->onEvent[1] = MakeEvent<&THIPosition::doSearch>(ChoiceMark);
  LineHub->onEvent[2] = MakeEvent<&THIIf_else::doCompare>(NotHeader);

  // The position of the header marker; 1 opens a block.
  ChoiceMark->onSearch = MakeEvent<&THIMemory::doValue>(InBlock);

  // Not a header, inside a block, not empty: split off the answer number.
  NotHeader->onTrue = MakeEvent<&THIIf_else::doCompare>(InBlockTest);
  InBlockTest->onTrue = MakeEvent<&THILength::doLength>(LineLength);
  LineLength->onLength = MakeEvent<&THIIf_else::doCompare>(NonEmpty);
  NonEmpty->onTrue = MakeEvent<&THIStrPart::doSplit>(AnswerSplit);
}

void TChoiceLoader::WireBlockEnd() {
  // An end line sends the block, empties it and closes it.
  EndMark->onSearch = MakeEvent<&THIHub::doEvent>(EndHub);
  EndHub->onEvent[0] = MakeEvent<&THIArrayEnum::doEnum>(BlockEnum);
  EndHub->onEvent[1] = MakeEvent<&THIStrList::doClear>(Block);
  EndHub->onEvent[2] = MakeEvent<&THIMemory::doClear>(InBlock);

  // Every stored line of block b leaves as the chain [3 + b, line]; then b steps on.
  BlockEnum->onItem = MakeEvent<&THIIndexToChanel::doEvent>(ToCommand);
  for (uint16_t b = 0; b < sheet::Blocks; ++b)
    ToCommand->onEvent[b] =
        MakeEvent<&THIMT_ChanelToIndex::doEvent>(Command, sheet::FirstLineCommand + b);
  Command->onIndex = ParentEvent(Edit, 0);
  BlockEnum->onEndEnum = MakeEvent<&THICounter::doNext>(BlockNo);
}

void TChoiceLoader::WireAnswerLine() {
  // Lines whose first word is "-" are disabled.
  AnswerSplit->onRight = MakeEvent<&THIIf_else::doCompare>(SkipDash);
  SkipDash->onFalse = MakeEvent<&THIStrPart::doSplit>(NameSplit);

  // Look the name up, then store "W code V" in the block.
  NameSplit->onLeft = MakeEvent<&THIArrayRW::doRead>(CodeRead);
  NameSplit->onRight = MakeEvent<&THIFormatStr::doFormat>(LineFormat);
  LineFormat->onFormat = MakeEvent<&THIStrList::doAdd>(Block);
}
