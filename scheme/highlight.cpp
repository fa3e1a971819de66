#include "scheme/highlight.h"

using build::ParentData;
using build::ParentEvent;

THighlight::THighlight(TControl*, TScheme* parentScheme, THIMultiElement* container)
    : TSubScheme(parentScheme) {
  Edit = MakeBoundary(container, 2);

  Regular = build::Font(*this, build::SansSerif(8, 0, 0, 204));
  Bold = build::Font(*this, build::SansSerif(8, fsBold, 0, 204));
  Current = build::Memory(*this);
  Target = build::IndexToChanel(*this, Items);
  Sweep = build::For(*this, 0, Items - 1);
  HighlightHub = build::Hub(*this, 2);
  SweepHub = build::Hub(*this, 2);
  Push = build::DoData(*this);

  Bold->ColorPoint = ParentData(Edit, 0);
  Target->IndexPoint = MakeEvent<&THIMemory::GetValue>(Current);

  // Bold on item k.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(HighlightHub);
  HighlightHub->onEvent[0] = MakeEvent<&THIMemory::doValue>(Current);
  HighlightHub->onEvent[1] = MakeEvent<&THIFont::doFont>(Bold);

  // Regular on every item.
  Edit->onWork[1] = MakeEvent<&THIFor::doFor>(Sweep);
  Sweep->onEvent = MakeEvent<&THIHub::doEvent>(SweepHub);
  SweepHub->onEvent[0] = MakeEvent<&THIMemory::doValue>(Current);
  SweepHub->onEvent[1] = MakeEvent<&THIDoData::doData>(Push);
  Push->onData = MakeEvent<&THIFont::doFont>(Regular);

  Bold->onFont = MakeEvent<&THIIndexToChanel::doEvent>(Target);
  Regular->onFont = MakeEvent<&THIIndexToChanel::doEvent>(Target);
  for (int k = 0; k < Items; ++k)
    Target->onEvent[static_cast<size_t>(k)] = ParentEvent(Edit, static_cast<uint16_t>(k));
}
