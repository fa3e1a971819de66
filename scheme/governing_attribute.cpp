#include "scheme/governing_attribute.h"

using build::ParentEvent;

TGoverningAttribute::TGoverningAttribute(TControl*, TScheme* parentScheme,
                                         THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 1);

  // Elements and properties.
  Hub = build::Hub(*this, 2);
  Below4 = build::IfElse(*this, THIIf_else::Less, MakeInteger(4));
  Below10 = build::IfElse(*this, THIIf_else::Less, MakeInteger(10));
  ToAttribute = build::ChanelToIndex(*this, 4);
  Below21 = build::IfElse(*this, THIIf_else::Less, MakeInteger(21));
  Below24 = build::IfElse(*this, THIIf_else::Less, MakeInteger(24));

  // i itself, then the first range it falls below names the attribute.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(Hub);
  Hub->onEvent[0] = ParentEvent(Edit, 0);
  Hub->onEvent[1] = MakeEvent<&THIIf_else::doCompare>(Below4);
  Below4->onTrue = MakeEvent<&THIChanelToIndex::doEvent>(ToAttribute, 0);
  Below4->onFalse = MakeEvent<&THIIf_else::doCompare>(Below10);
  Below10->onTrue = MakeEvent<&THIChanelToIndex::doEvent>(ToAttribute, 1);
  Below10->onFalse = MakeEvent<&THIIf_else::doCompare>(Below21);
  Below21->onTrue = MakeEvent<&THIChanelToIndex::doEvent>(ToAttribute, 2);
  Below21->onFalse = MakeEvent<&THIIf_else::doCompare>(Below24);
  Below24->onTrue = MakeEvent<&THIChanelToIndex::doEvent>(ToAttribute, 3);
  ToAttribute->onIndex = ParentEvent(Edit, 1);
}
