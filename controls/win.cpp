#include "controls/win.h"

THIWin::THIWin(TControl* parent) {
  if (parent) Color = parent->Color();
}

THIWin::~THIWin() {
  if (Control) {
    Control->SetListener(nullptr);
    delete Control;
    Control = nullptr;
  }
}

void THIWin::ApplyFont(const TFontRec& f) {
  if (!Control) return;
  // Colour, style, name, size, character set: one record for the window.
  Control->SetFont(f);
}

void THIWin::Init() {
  if (!Control) return;
  TControl& c = *Control;
  c.SetColor(Color);
  c.SetPosition(Left, Top);
  c.SetSize(Width, Height);
  c.SetEnabled(Enabled != 0);
  c.SetCursor(Cursor);
  if (ParentFont && c.Parent())
    ApplyFont(c.Parent()->Font());
  else
    ApplyFont(Font);
  if (TabOrder > 0) c.SetTabOrder(TabOrder);
  c.SetListener(this);
  c.SetAlign(Align);
  // The window exists from here on, hidden until Visible is applied.
  bool show = Visible != 0;
  c.SetVisible(false);
  c.CreateWindow();
  c.SetVisible(show);
  c.CreateWindowTree();
}

void THIWin::doFont(TData& data, uint16_t) {
  if ((data.Kind & ~RedirectFlag) != data_font || !data.Ref) return;
  ApplyFont(*static_cast<const TFontRec*>(data.Ref));
}

void THIWin::doVisible(TData& data, uint16_t) {
  if (Control) Control->SetVisible(ToBool(data));
}

void THIWin::doBringToFront(TData&, uint16_t) {
  if (Control) Control->BringToFront();
}

void THIWin::doSendToBack(TData&, uint16_t) {
  if (Control) Control->SendToBack();
}

void THIWin::AttachHints(TToolTipService* service) {
  if (service && Control) {
    service->AddTool(*Control);
    service->SetToolText(*Control, Hint);
    service->SetToolTitle(*Control, HintTitle, HintIcon);
  }
  hints_ = service;
}

void THIWin::MouseOver() {
  if (hints_ && Control) hints_->TrackTool(*Control, true);
}

void THIWin::MouseLeave() {
  if (hints_ && Control) hints_->TrackTool(*Control, false);
}

void THIWin::ShowHook(bool) {}

void THIWin::CtlMouseDown(TControl&, const TMouseInfo& m) {
  MouseOver();
  lastMouse_ = m;
  FireInteger(onMouseDown, m.Button - 1);
}

void THIWin::CtlMouseMove(TControl&, const TMouseInfo& m) {
  // The position first: a tracking tip that comes on shows where the mouse is.
  if (hints_ && Control) hints_->TrackPosition(*Control, m.X, m.Y);
  MouseOver();
  // The button held at the previous notification, from its key-state flags.
  uint32_t flags = lastMouse_.Keys;
  lastMouse_ = m;
  int button = flags == mkLButton ? 0 : flags == mkRButton ? 1 : flags == mkMButton ? 2 : -1;
  FireInteger(onMouseMove, button);
}

void THIWin::CtlMouseUp(TControl&, const TMouseInfo& m) {
  MouseOver();
  lastMouse_ = m;
  FireInteger(onMouseUp, m.Button - 1);
}

void THIWin::CtlMouseWheel(TControl&, const TMouseInfo& m) {
  MouseOver();
  lastMouse_ = m;
  FireInteger(onMouseWheel, m.Wheel);
}

void THIWin::CtlKeyDown(TControl&, int key) {
  FireInteger(onKeyDown, key);
}
void THIWin::CtlKeyUp(TControl&, int key) {
  FireInteger(onKeyUp, key);
}
void THIWin::CtlChar(TControl&, std::string_view text) {
  FireString(onChar, text);
}

void THIWin::CtlFocus(TControl&, bool gained) {
  FireNull(gained ? onEnter : onExit);
}
void THIWin::CtlMoved(TControl&) {
  FireNull(onMove);
}
void THIWin::CtlResized(TControl&) {
  FireNull(onResize);
}
