#include "scheme/related_labels.h"

using build::ParentEvent;

namespace {

THI_Event ReportChannel(THIMT_ChanelToIndex* report, uint16_t channel) {
  return MakeEvent<&THIMT_ChanelToIndex::doEvent>(report, channel);
}

}  // namespace

TRelatedLabels::TRelatedLabels(TControl*, TScheme* parentScheme, THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 6);

  // Elements and properties.
  AttrHub = build::Hub(*this, 2);
  AttrRelated = build::IndexToChanel(*this, 3);
  WeaponPointsLabel = build::DoData(*this, MakeInteger(6));
  SkillPointsLabel = build::DoData(*this, MakeInteger(24));
  SkillHub = build::Hub(*this, 2);
  HitPointsLabel = build::DoData(*this, MakeInteger(0));
  SkillRelated = build::IndexToChanel(*this, 1);
  Report = build::MTChanelToIndex(*this, 6);

  // 1-2. Attribute k: itself, then strength -> hit points, agility -> weapon points,
  // intelligence -> skill points.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(AttrHub);
  AttrHub->onEvent[0] = ReportChannel(Report, 1);
  AttrHub->onEvent[1] = MakeEvent<&THIIndexToChanel::doEvent>(AttrRelated);
  AttrRelated->onEvent[0] = ReportChannel(Report, 5);
  AttrRelated->onEvent[1] = MakeEvent<&THIDoData::doData>(WeaponPointsLabel);
  AttrRelated->onEvent[2] = MakeEvent<&THIDoData::doData>(SkillPointsLabel);
  WeaponPointsLabel->onData = ReportChannel(Report, 4);
  SkillPointsLabel->onData = ReportChannel(Report, 3);

  // 3. A governed skill.
  Edit->onWork[1] = ReportChannel(Report, 3);

  // 4. Skill i: itself, then ironflesh -> hit points.
  Edit->onWork[2] = MakeEvent<&THIHub::doEvent>(SkillHub);
  SkillHub->onEvent[0] = ReportChannel(Report, 1);
  SkillHub->onEvent[1] = MakeEvent<&THIIndexToChanel::doEvent>(SkillRelated);
  SkillRelated->onEvent[0] = MakeEvent<&THIDoData::doData>(HitPointsLabel);
  HitPointsLabel->onData = ReportChannel(Report, 5);

  // 5. The governing attribute.
  Edit->onWork[3] = ReportChannel(Report, 2);

  // 6. Proficiency and other-value labels: only the hovered label itself.
  Edit->onWork[4] = ReportChannel(Report, 1);
  Edit->onWork[5] = ReportChannel(Report, 1);

  // Every report chain leaves on event point 0.
  Report->onIndex = ParentEvent(Edit, 0);
}
