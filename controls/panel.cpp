#include "controls/panel.h"

THIPanel::THIPanel(TControl* parent) : THIWin(parent) {
  Control = new TControl(TControlKind::Panel, parent);
  Control->SetStyle(Control->Style(), Control->ExStyle() | wsex::ControlParent);
}

void THIPanel::Init() {
  uint32_t s = Control->Style() & ~ws::Border;
  uint32_t x = Control->ExStyle() & ~wsex::ClientEdge;
  if (EdgeStyle == 1) {
    s |= ws::Border;
    x |= wsex::ClientEdge;
  }
  Control->SetStyle(s, x);
  Control->SetEdgeStyle(EdgeStyle);
  Control->SetAlignment(Alignment);
  THIWin::Init();
  Control->SetText(Caption);
}
