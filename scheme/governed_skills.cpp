#include "scheme/governed_skills.h"

using build::ParentEvent;

TGovernedSkills::TGovernedSkills(TControl*, TScheme* parentScheme, THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 1);

  // Elements and properties: the skill label ranges of the four attributes.
  StrengthSkills = build::For(*this, 0, 3);
  AgilitySkills = build::For(*this, 4, 9);
  IntelligenceSkills = build::For(*this, 10, 20);
  CharismaSkills = build::For(*this, 21, 23);
  PickAttribute = build::IndexToChanel(*this, 4);
  Hub = build::Hub(*this, 2);

  // k itself, then the skills of attribute k.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(Hub);
  Hub->onEvent[0] = ParentEvent(Edit, 0);
  Hub->onEvent[1] = MakeEvent<&THIIndexToChanel::doEvent>(PickAttribute);
  PickAttribute->onEvent[0] = MakeEvent<&THIFor::doFor>(StrengthSkills);
  PickAttribute->onEvent[1] = MakeEvent<&THIFor::doFor>(AgilitySkills);
  PickAttribute->onEvent[2] = MakeEvent<&THIFor::doFor>(IntelligenceSkills);
  PickAttribute->onEvent[3] = MakeEvent<&THIFor::doFor>(CharismaSkills);
  StrengthSkills->onEvent = ParentEvent(Edit, 1);
  AgilitySkills->onEvent = ParentEvent(Edit, 1);
  IntelligenceSkills->onEvent = ParentEvent(Edit, 1);
  CharismaSkills->onEvent = ParentEvent(Edit, 1);
}
