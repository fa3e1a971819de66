#include "scheme/effect_applier.h"

using build::ParentData;
using build::ParentEvent;

TEffectApplier::TEffectApplier(TControl*, TScheme* parentScheme, THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 1);

  // Elements and properties.
  ReadItem = build::ArrayRW(*this);
  AddAmount = build::Math(*this, 0, 0, 0, 0);
  WriteItem = build::ArrayRW(*this);
  InThisArray = build::IfElse(*this, THIIf_else::Less, MakeInteger(100));
  Offset = build::Math(*this, 1, 0, 100, 0);
  LabelIndex = build::Math(*this, 1, 0, 1, 0);
  IsPreview = build::IfElse(*this, THIIf_else::NotEqual, MakeInteger(1));

  // Data points.
  ReadItem->ArrayPoint = ParentData(Edit, 1);
  ReadItem->IndexPoint = MakeEvent<&THIMath::GetResult>(Offset);
  AddAmount->Op2Point = ParentData(Edit, 2);
  WriteItem->ArrayPoint = ParentData(Edit, 1);
  WriteItem->IndexPoint = MakeEvent<&THIMath::GetResult>(Offset);
  IsPreview->Op1Point = ParentData(Edit, 0);

  // 1. code - 100; below 100 it is an item of this table, else it goes on.
  Edit->onWork[0] = MakeEvent<&THIMath::doOperation>(Offset);
  Offset->onResult = MakeEvent<&THIIf_else::doCompare>(InThisArray);
  InThisArray->onTrue = MakeEvent<&THIMath::doOperation>(LabelIndex);
  InThisArray->onFalse = ParentEvent(Edit, 1);

  // 2. Preview names the label; apply adds the amount to the item.
  LabelIndex->onResult = MakeEvent<&THIIf_else::doCompare>(IsPreview);
  IsPreview->onTrue = ParentEvent(Edit, 0);
  IsPreview->onFalse = MakeEvent<&THIArrayRW::doRead>(ReadItem);
  ReadItem->onItem = MakeEvent<&THIMath::doOperation>(AddAmount);
  AddAmount->onResult = MakeEvent<&THIArrayRW::doWrite>(WriteItem);
}
