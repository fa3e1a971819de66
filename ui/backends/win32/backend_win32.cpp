// The Win32 backend. System controls are subclassed so that one procedure sees every message;
// whichever window receives a child's WM_COMMAND, WM_NOTIFY or WM_CTLCOLOR* (the form, a group
// box, a panel) hands it to that child's control.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// windows.h maps these names onto its ANSI calls; the window layer uses them as its own.
#undef CreateWindow

#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "ui/backends/win32/backend_win32.h"
#include "ui/backends/win32/clipboard_win32.h"
#include "ui/hover_timing.h"

namespace {

constexpr char kFormClass[] = "HsForm";
constexpr char kAppClass[] = "HsApplication";
// The drop-down list of a combo box opens below its field; its window is this much taller.
constexpr int kComboDropHeight = 150;

// SetWindowPos flags used by the layer.
// The hide at creation also puts the new window on top of its siblings, so that of two
// overlapping controls the later one is painted whole.
constexpr UINT kHideNoActivate = 0x293;   // no size, move, activation; hide
constexpr UINT kFrontNoActivate = 0x253;  // no size, move, activation; show
constexpr UINT kBackNoActivate = 0x213;   // no size, move, activation

LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

bool IsAscii(std::string_view t) {
  for (char ch : t)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}
VOID CALLBACK CloseTimerProc(HWND, UINT, UINT_PTR, DWORD);
VOID CALLBACK HoverTimerProc(HWND, UINT, UINT_PTR, DWORD);

struct TWinRec {
  TControl* Ctl = nullptr;    // nullptr once the window is going away
  WNDPROC OldProc = nullptr;  // class procedure of a subclassed system control
  bool Tracking = false;      // leave requested from TrackMouseEvent
  bool Titled = false;        // a tool tip that was given a title or an icon
};

// One message to a window of ours, with the control it belongs to.
struct TMsg {
  HWND H;
  UINT Msg;
  WPARAM Wp;
  LPARAM Lp;
  TControl* Ctl;  // nullptr once the window is going away
  WNDPROC Old;    // class procedure of a subclassed system control
  bool Live;      // notifications may reach the layer (not while creating)

  // The default handling: the system control's own procedure, else the default one.
  LRESULT Next() const {
    return Old ? CallWindowProcA(Old, H, Msg, Wp, Lp) : DefWindowProcA(H, Msg, Wp, Lp);
  }
  // Client coordinates, keys and the button of a mouse message.
  TMouseInfo Mouse(int button) const;
};

const char* KindWord(TControlKind k) {
  switch (k) {
    case TControlKind::Application:
      return "app";
    case TControlKind::Form:
      return "form";
    case TControlKind::Label:
      return "label";
    case TControlKind::RadioButton:
      return "radio";
    case TControlKind::GroupBox:
      return "group";
    case TControlKind::Panel:
      return "panel";
    case TControlKind::ComboBox:
      return "combo";
    case TControlKind::ToolTip:
      return "tip";
  }
  return "?";
}

// The columns that character ch inks, relative to its origin, in the font selected into dc:
// drawn once into a scratch bitmap and remembered per font. The metric calls do not tell it
// (wine reports the unhinted box of a scalable face). False when the glyph inks nothing.
bool GlyphInk(HDC dc, unsigned char ch, int& left, int& right) {
  static std::map<std::pair<HGDIOBJ, unsigned char>, std::pair<int, int>> cache;
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  auto key = std::make_pair(font, ch);
  auto it = cache.find(key);
  if (it == cache.end()) {
    char text = static_cast<char>(ch);
    SIZE sz{0, 0};
    GetTextExtentPoint32A(dc, &text, 1, &sz);
    const int origin = 8, w = 2 * sz.cx + 2 * origin, h = sz.cy + 4;
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    HGDIOBJ oldFont = SelectObject(mem, font);
    RECT all{0, 0, w, h};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, RGB(0, 0, 0));
    TextOutA(mem, origin, 2, &text, 1);
    int lo = w, hi = -1;
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y)
        if ((GetPixel(mem, x, y) & 0xFFFFFF) != 0xFFFFFF) {
          lo = std::min(lo, x);
          hi = std::max(hi, x);
          break;
        }
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    it = cache.emplace(key, std::make_pair(lo - origin, hi - origin)).first;
  }
  left = it->second.first;
  right = it->second.second;
  return right >= left;
}

// Where a label's or panel's line of text goes in its client rectangle r. The glyphs are
// placed by the advances of the text extent, and right-aligned text keeps the last glyph's ink
// inside: a face may ink past its last advance (with the scalable face that stands in for the
// bitmap one, "w" does by a column), and DrawText, aligning the extent to the edge, lost that
// column to the clip.
struct TTextPlace {
  int X = 0, Y = 0, Width = 0, Height = 0;
  int InkLeft = 0, InkRight = -1;  // the columns the glyph boxes cover, in r's coordinates
  std::vector<INT> Dx;
};

TTextPlace PlaceText(HDC dc, const TControl& c, const RECT& r, const std::string& ansi) {
  TTextPlace t;
  int n = static_cast<int>(ansi.size());
  std::vector<INT> ends(ansi.size() + 1);
  SIZE ext{0, 0};
  GetTextExtentExPointA(dc, ansi.c_str(), n, 0, nullptr, ends.data(), &ext);
  t.Width = ext.cx;
  t.Height = ext.cy;
  t.Dx.assign(ansi.size() + 1, 0);
  for (int i = 0; i < n; ++i)
    t.Dx[static_cast<size_t>(i)] =
        ends[static_cast<size_t>(i)] - (i ? ends[static_cast<size_t>(i - 1)] : 0);
  // The ink of the first and last glyphs as the rasterizer draws them.
  int lead = 0, trail = 0, left = 0, right = 0;
  if (n && GlyphInk(dc, static_cast<unsigned char>(ansi.front()), left, right)) lead = left;
  if (n && GlyphInk(dc, static_cast<unsigned char>(ansi.back()), left, right))
    trail = right + 1 - t.Dx[static_cast<size_t>(n - 1)];
  int over = std::max(0, trail);
  if (c.Alignment() == taRight)
    t.X = r.right - ext.cx - over;
  else if (c.Alignment() == taCenter)
    t.X = (r.left + r.right - ext.cx) / 2;
  else
    t.X = r.left;
  t.Y = c.Kind() == TControlKind::Panel ? (r.top + r.bottom - ext.cy) / 2 : r.top;
  if (n) {
    t.InkLeft = t.X + lead;
    t.InkRight = t.X + ext.cx + trail - 1;
  }
  return t;
}

// What the system is told of a control for assistive technology.
struct TAccessTold {
  LONG Role = 0, State = 0;
  std::string Name, Description;
  bool Valid = false;
};

LONG MsaaRole(TAccessRole r) {
  switch (r) {
    case TAccessRole::Window:
      return ROLE_SYSTEM_WINDOW;
    case TAccessRole::Dialog:
      return ROLE_SYSTEM_DIALOG;
    case TAccessRole::Group:
      return ROLE_SYSTEM_GROUPING;
    case TAccessRole::RadioButton:
      return ROLE_SYSTEM_RADIOBUTTON;
    case TAccessRole::Button:
      return ROLE_SYSTEM_PUSHBUTTON;
    case TAccessRole::Item:
      return ROLE_SYSTEM_LISTITEM;
    case TAccessRole::Alert:
      return ROLE_SYSTEM_ALERT;
    case TAccessRole::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case TAccessRole::Hidden:
    case TAccessRole::Text:
      return ROLE_SYSTEM_STATICTEXT;
    case TAccessRole::ToolTip:
      return ROLE_SYSTEM_TOOLTIP;
    case TAccessRole::None:
      break;
  }
  return ROLE_SYSTEM_PANE;
}

std::wstring Wide(const std::string& text) {
  if (text.empty() || text.size() > 0x7fffffff) return std::wstring();
  int n = static_cast<int>(text.size());
  UINT cp = CP_UTF8;
  int wide = MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, text.data(), n, nullptr, 0);
  if (wide <= 0) {  // not UTF-8: the code page's
    cp = CP_ACP;
    wide = MultiByteToWideChar(cp, 0, text.data(), n, nullptr, 0);
  }
  if (wide <= 0) return std::wstring();
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(cp, 0, text.data(), n, w.data(), wide);
  return w;
}

COLORREF Rgb(uint32_t c) {
  if (IsSystemColor(c)) return GetSysColor(static_cast<int>(c & 0xFF));
  return c & 0x00FFFFFFu;
}

class TWin32Backend final : public TBackend, private THoverHost {
 public:
  TWin32Backend();
  ~TWin32Backend() override;

  const char* Name() const override { return "win32"; }
  void CreateNative(TControl& c) override;
  void DestroyNative(TControl& c) override;
  void Apply(TControl& c, uint32_t changes) override;
  void Restack(TControl& c, bool toFront) override;
  void SetFocus(TControl& c) override;
  TControl* FocusedControl() override { return ControlOf(GetFocus()); }
  void SetCapture(TControl* c) override;
  void BeginSystemMove(TControl& form) override;
  TSize MeasureText(const TControl& c, std::string_view text) override;
  int PixelsPerInch() override;
  TSize FrameExtra(const TControl& form) override;
  bool ProcessMessages(bool wait) override;
  void PostQuit() override;
  void ResetQuit() override;
  void SetClipboardText(std::string_view text) override;
  std::string ClipboardText() override { return ReadClipboardText(); }
  void ShowMessage(TControl* owner, std::string_view text, std::string_view caption) override;
  bool PickFont(TControl* owner, const TFontRec& font, TFontChoice& out) override;

  LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  void SetTrace(const std::string& path);
  void CloseTick();
  void HoverTick(UINT_PTR timer);
  long AccessStatus() const { return accStatus_; }
  void SetAccessService(IAccPropServices* service);

 private:
  TControl* ControlOf(HWND h) const {
    auto it = wins_.find(h);
    return it == wins_.end() ? nullptr : it->second.Ctl;
  }
  static HWND H(const TControl& c) { return static_cast<HWND>(c.Native()); }
  // The hover timing's timers (thread timers) and tips (tracking tools of the tip control).
  void StartTimer(int id, int ms) override;
  void StopTimer(int id) override;
  void ShowTip(TControl& owner, TControl& tip, int x, int y) override;
  void HideTip(TControl& tip) override;

  uint32_t BaseStyle(const TControl& c) const;
  uint32_t BaseExStyle(const TControl& c) const;
  uint32_t FullStyle(const TControl& c) const { return BaseStyle(c) | c.Style(); }
  uint32_t FullExStyle(const TControl& c) const { return BaseExStyle(c) | c.ExStyle(); }
  HFONT FontFor(const TFontRec& f);
  HBRUSH BrushFor(uint32_t color);
  void ShowNative(TControl& c);
  void LeaveFrom(HWND gone);
  void ApplyTip(TControl& tip);
  void ApplyAlpha(TControl& c);
  void PaintText(HWND h, TControl& c);
  LRESULT Dispatch(const TMsg& m);
  // One handler per message (or per family of messages).
  LRESULT OnMouseMove(const TMsg& m);
  LRESULT OnMouseHover(const TMsg& m);
  LRESULT OnMouseLeave(const TMsg& m);
  LRESULT OnButtonDown(const TMsg& m);
  LRESULT OnButtonUp(const TMsg& m);
  LRESULT OnWheel(const TMsg& m);
  LRESULT OnKeyDown(const TMsg& m);
  LRESULT OnKeyUp(const TMsg& m);
  LRESULT OnChar(const TMsg& m);
  LRESULT OnFocus(const TMsg& m);
  LRESULT OnMove(const TMsg& m);
  LRESULT OnSize(const TMsg& m);
  LRESULT OnActivate(const TMsg& m);
  LRESULT OnShowWindow(const TMsg& m);
  LRESULT OnClose(const TMsg& m);
  LRESULT OnCommand(const TMsg& m);
  LRESULT OnNotify(const TMsg& m);
  LRESULT OnCtlColor(const TMsg& m);
  LRESULT OnEraseBackground(const TMsg& m);
  LRESULT OnPaint(const TMsg& m);
  LRESULT OnSetCursor(const TMsg& m);
  LRESULT ColorMessage(HWND child, HDC dc);
  void ChildCommand(HWND child, UINT code);
  void Trace(const TControl& c, const std::string& what);
  HICON IconFor(const std::string& name, bool smallIcon);
  void TraceLayout(const TControl& c);
  bool Quiet() const { return creating_ > 0; }
  // Assistive technology: the layer's description of each control, given to the system as
  // annotations of the window's client object.
  void TellAccess(TControl& c);
  void RefreshAccess();
  void ForgetAccess(HWND h);

  std::unordered_map<HWND, TWinRec> wins_;
  std::map<std::tuple<std::string, int, int, int>, HFONT> fonts_;
  std::unordered_map<uint32_t, HBRUSH> brushes_;
  HINSTANCE inst_ = nullptr;
  int ppi_ = 0;
  int creating_ = 0;
  bool quit_ = false;
  bool quitPosted_ = false;  // a WM_QUIT is in the queue
  bool staleQuit_ = false;   // ... and it is to be dropped
  FILE* trace_ = nullptr;
  std::string closeFile_;
  UINT_PTR closeTimer_ = 0;
  bool keyboardCues_ = false;  // focus marks show once the keyboard has moved the focus
  THoverTiming hover_{*this};
  UINT_PTR hoverTimers_[THoverTiming::tmCount] = {};
  IAccPropServices* accProps_ = nullptr;  // nullptr: the system has no annotation service
  HRESULT accStatus_ = E_FAIL;
  bool comInit_ = false;
  bool accessDue_ = false;  // a pass over the descriptions is owed
  std::unordered_map<HWND, TAccessTold> told_;
};

TWin32Backend* g_backend = nullptr;

TWin32Backend::TWin32Backend() {
  g_backend = this;
  inst_ = GetModuleHandleA(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = inst_;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  // The program's icon resource when it has one, else the system's.
  wc.hIcon = LoadIconA(inst_, "MAINICON");
  if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.lpszClassName = kFormClass;
  RegisterClassExA(&wc);
  wc.lpszClassName = kAppClass;
  RegisterClassExA(&wc);

  // Apartment-threaded COM for the annotation service; without it the controls keep what the
  // system says of them.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  comInit_ = SUCCEEDED(com);
  SetAccessService(nullptr);

  if (const char* t = std::getenv("HS_WIN32_TRACE"); t && *t) SetTrace(t);
  if (const char* f = std::getenv("HS_WIN32_CLOSE"); f && *f) {
    closeFile_ = f;
    closeTimer_ = SetTimer(nullptr, 0, 100, CloseTimerProc);
  }
}

TWin32Backend::~TWin32Backend() {
  hover_.Reset();
  if (closeTimer_) KillTimer(nullptr, closeTimer_);
  for (auto& f : fonts_)
    DeleteObject(f.second);
  for (auto& b : brushes_)
    DeleteObject(b.second);
  if (trace_) std::fclose(trace_);
  if (accProps_) accProps_->Release();
  if (comInit_) CoUninitialize();
  g_backend = nullptr;
}

// ---- assistive technology ----

// Role, name, description and state of a control as annotations. The system's own description
// stays where it is right: a form's, a combo box's role and state (and its name when no label
// names it), a group box's state. A radio button's and a painted control's state follow the
// layer. What changed after the first time is announced.
void TWin32Backend::TellAccess(TControl& c) {
  HWND h = H(c);
  TControlKind k = c.Kind();
  if (!h || !accProps_ || k == TControlKind::Application || k == TControlKind::Form ||
      k == TControlKind::ToolTip)
    return;
  TAccessInfo a = c.Access();
  bool combo = k == TControlKind::ComboBox;
  bool ownRole = !combo;
  bool ownName = !combo || !c.AccessLabels().empty();
  bool ownState =
      k == TControlKind::Label || k == TControlKind::Panel || k == TControlKind::RadioButton;
  TAccessTold now;
  now.Valid = true;
  now.Role = MsaaRole(a.Role);
  if (ownName) now.Name = a.Name;
  now.Description = a.Description;
  if (ownState) {
    if (!a.Enabled) now.State |= STATE_SYSTEM_UNAVAILABLE;
    if (!a.Showing || a.Role == TAccessRole::Hidden) now.State |= STATE_SYSTEM_INVISIBLE;
    if (a.Focusable || k == TControlKind::RadioButton) now.State |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == h) now.State |= STATE_SYSTEM_FOCUSED;
    if (a.Checked) now.State |= STATE_SYSTEM_CHECKED;
  }
  TAccessTold& was = told_[h];
  bool first = !was.Valid;
  bool refused = false;  // the service is there, the annotations are not implemented
  auto setLong = [&](const MSAAPROPID& prop, LONG value) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = value;
    HRESULT hr = accProps_->SetHwndProp(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, prop, v);
    if (FAILED(hr)) accStatus_ = hr;
    refused = refused || hr == E_NOTIMPL;
  };
  auto setText = [&](const MSAAPROPID& prop, const std::string& text) {
    std::wstring w = Wide(text);
    HRESULT hr = accProps_->SetHwndPropStr(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, prop,
                                           w.c_str());
    if (FAILED(hr)) accStatus_ = hr;
    refused = refused || hr == E_NOTIMPL;
  };
  auto tell = [&](DWORD event) {
    if (!first) NotifyWinEvent(event, h, OBJID_CLIENT, CHILDID_SELF);
  };
  if (ownRole && (first || was.Role != now.Role)) setLong(PROPID_ACC_ROLE, now.Role);
  if (ownName && (first || was.Name != now.Name)) {
    setText(PROPID_ACC_NAME, now.Name);
    tell(EVENT_OBJECT_NAMECHANGE);
  }
  if (first || was.Description != now.Description) {
    setText(PROPID_ACC_DESCRIPTION, now.Description);
    tell(EVENT_OBJECT_DESCRIPTIONCHANGE);
  }
  if (ownState && (first || was.State != now.State)) {
    setLong(PROPID_ACC_STATE, now.State);
    tell(EVENT_OBJECT_STATECHANGE);
  }
  was = now;
  if (refused) {  // no use asking again
    accProps_->Release();
    accProps_ = nullptr;
    told_.clear();
  }
}

// nullptr: the system's service. Every control is described to the new one.
void TWin32Backend::SetAccessService(IAccPropServices* service) {
  if (accProps_) accProps_->Release();
  accProps_ = nullptr;
  told_.clear();
  if (service) {
    service->AddRef();
    accProps_ = service;
    accStatus_ = S_OK;
  } else {
    accStatus_ = CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IAccPropServices, reinterpret_cast<void**>(&accProps_));
    if (FAILED(accStatus_)) accProps_ = nullptr;
  }
  accessDue_ = accProps_ != nullptr;
}

// Names and descriptions follow other controls' texts and the data: every control is looked at.
void TWin32Backend::RefreshAccess() {
  accessDue_ = false;
  if (!accProps_) return;
  std::vector<TControl*> controls;
  for (auto& w : wins_)
    if (w.second.Ctl) controls.push_back(w.second.Ctl);
  for (TControl* c : controls)
    TellAccess(*c);
}

void TWin32Backend::ForgetAccess(HWND h) {
  if (told_.erase(h) == 0 || !accProps_) return;
  MSAAPROPID props[] = {PROPID_ACC_ROLE, PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION, PROPID_ACC_STATE};
  accProps_->ClearHwndProps(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, props,
                            sizeof props / sizeof *props);
}

void TWin32Backend::SetTrace(const std::string& path) {
  if (trace_) std::fclose(trace_);
  trace_ = path.empty() ? nullptr : std::fopen(path.c_str(), "ab");
}

void TWin32Backend::Trace(const TControl& c, const std::string& what) {
  if (!trace_ || Quiet()) return;
  std::string line = Win32TraceName(c) + " " + what + "\n";
  std::fwrite(line.data(), 1, line.size(), trace_);
  std::fflush(trace_);
}

// Where every visible window under c is on the screen, for tests that drive the mouse.
void TWin32Backend::TraceLayout(const TControl& c) {
  if (!trace_) return;
  for (TControl* k : c.Children()) {
    HWND h = H(*k);
    if (!h || !IsWindowVisible(h) || k->Kind() == TControlKind::ToolTip) continue;
    RECT r;
    GetWindowRect(h, &r);
    Trace(*k, "at " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                  std::to_string(r.right) + " " + std::to_string(r.bottom) + " \"" + k->Text() +
                  "\"");
    if (k->Kind() == TControlKind::Label) {
      HDC dc = GetDC(h);
      HGDIOBJ old = SelectObject(dc, FontFor(k->Font()));
      RECT cr;
      GetClientRect(h, &cr);
      TTextPlace t = PlaceText(dc, *k, cr, ToAnsiText(k->Text()));
      SelectObject(dc, old);
      ReleaseDC(h, dc);
      Trace(*k, "extent " + std::to_string(t.Width) + " " + std::to_string(t.Height) + " align " +
                    std::to_string(k->Alignment()) + " ink " + std::to_string(t.InkLeft) + " " +
                    std::to_string(t.InkRight));
    }
    TraceLayout(*k);
  }
}

void TWin32Backend::CloseTick() {
  if (closeFile_.empty() || GetFileAttributesA(closeFile_.c_str()) == INVALID_FILE_ATTRIBUTES)
    return;
  KillTimer(nullptr, closeTimer_);
  closeTimer_ = 0;
  closeFile_.clear();
  for (auto& w : wins_) {
    TControl* c = w.second.Ctl;
    if (c && c->Kind() == TControlKind::Form && IsWindowVisible(w.first)) {
      PostMessageA(w.first, WM_CLOSE, 0, 0);
      return;
    }
  }
}

// ---- styles, fonts, brushes ----

uint32_t TWin32Backend::BaseStyle(const TControl& c) const {
  switch (c.Kind()) {
    case TControlKind::Application:
      return WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    case TControlKind::Form:
      return WS_CLIPCHILDREN;
    case TControlKind::Label: {
      uint32_t align = c.Alignment() == taRight    ? SS_RIGHT
                       : c.Alignment() == taCenter ? SS_CENTER
                                                   : SS_LEFTNOWORDWRAP;
      return WS_CHILD | WS_CLIPSIBLINGS | SS_NOTIFY | SS_NOPREFIX | align;
    }
    case TControlKind::Panel: {
      uint32_t align = c.Alignment() == taRight    ? SS_RIGHT
                       : c.Alignment() == taCenter ? SS_CENTER
                                                   : SS_LEFTNOWORDWRAP;
      return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | SS_NOTIFY | SS_NOPREFIX | align;
    }
    case TControlKind::RadioButton:
      return WS_CHILD | WS_CLIPSIBLINGS | BS_RADIOBUTTON | BS_NOTIFY | WS_GROUP | WS_TABSTOP;
    case TControlKind::GroupBox:
      return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | BS_GROUPBOX;
    case TControlKind::ComboBox:
      return WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL |
             (c.Editable() ? CBS_DROPDOWN : CBS_DROPDOWNLIST) | CBS_AUTOHSCROLL | CBS_HASSTRINGS |
             (c.Sorted() ? CBS_SORT : 0);
    case TControlKind::ToolTip:
      return WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (c.TipInfo().Balloon ? TTS_BALLOON : 0);
  }
  return 0;
}

uint32_t TWin32Backend::BaseExStyle(const TControl& c) const {
  switch (c.Kind()) {
    case TControlKind::Panel:
      return WS_EX_CONTROLPARENT;
    case TControlKind::ToolTip:
      return WS_EX_TOPMOST;
    default:
      return 0;
  }
}

HFONT TWin32Backend::FontFor(const TFontRec& f) {
  auto key = std::make_tuple(f.Name, static_cast<int>(f.Size), static_cast<int>(f.Style),
                             static_cast<int>(f.CharSet));
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  HFONT font = CreateFontA(FontHeightFor(f.Size, PixelsPerInch()), 0, 0, 0,
                           (f.Style & fsBold) ? FW_BOLD : FW_NORMAL, (f.Style & fsItalic) != 0,
                           (f.Style & fsUnderline) != 0, (f.Style & fsStrikeOut) != 0, f.CharSet,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, f.Name.c_str());
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_[key] = font;
  return font;
}

HBRUSH TWin32Backend::BrushFor(uint32_t color) {
  if (IsSystemColor(color)) return GetSysColorBrush(static_cast<int>(color & 0xFF));
  uint32_t rgb = color & 0x00FFFFFFu;
  auto it = brushes_.find(rgb);
  if (it != brushes_.end()) return it->second;
  HBRUSH b = CreateSolidBrush(rgb);
  brushes_[rgb] = b;
  return b;
}

int TWin32Backend::PixelsPerInch() {
  if (ppi_ == 0) {
    HDC dc = GetDC(nullptr);
    ppi_ = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    if (ppi_ <= 0) ppi_ = 96;
  }
  return ppi_;
}

// ---- windows ----

void TWin32Backend::CreateNative(TControl& c) {
  HWND parent = c.Parent() ? H(*c.Parent()) : nullptr;
  const char* cls = nullptr;
  bool own = false;
  switch (c.Kind()) {
    case TControlKind::Application:
      cls = kAppClass;
      own = true;
      parent = nullptr;
      break;
    case TControlKind::Form:
      cls = kFormClass;
      own = true;
      break;
    case TControlKind::Label:
    case TControlKind::Panel:
      cls = "STATIC";
      break;
    case TControlKind::RadioButton:
    case TControlKind::GroupBox:
      cls = "BUTTON";
      break;
    case TControlKind::ComboBox:
      cls = "COMBOBOX";
      break;
    case TControlKind::ToolTip:
      cls = TOOLTIPS_CLASSA;
      break;
  }
  bool child = (BaseStyle(c) & WS_CHILD) != 0;
  if (child && !parent) return;  // a control needs its parent's window
  int height = c.Height() + (c.Kind() == TControlKind::ComboBox ? kComboDropHeight : 0);
  // A plain drop-down list has no text of its own; one with an edit field shows it there.
  bool noText =
      c.Kind() == TControlKind::ToolTip || (c.Kind() == TControlKind::ComboBox && !c.Editable());
  std::string ansi = noText ? std::string() : ToAnsiText(c.Text());
  const char* text = noText ? nullptr : ansi.c_str();
  ++creating_;
  HWND h = CreateWindowExA(FullExStyle(c), cls, text, FullStyle(c) & ~WS_VISIBLE, c.Left(), c.Top(),
                           c.Width(), height, parent,
                           child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.Id())) : nullptr,
                           inst_, own ? static_cast<void*>(&c) : nullptr);
  if (!h) {
    --creating_;
    return;
  }
  if (!own) {
    TWinRec r;
    r.Ctl = &c;
    r.OldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC));
    wins_[h] = r;
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc));
  }
  c.SetNative(h);
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, kHideNoActivate);
  if (c.Kind() == TControlKind::ToolTip) {
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    // The layer's hover timing shows and hides it at the mouse.
    ti.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    ti.hwnd = GetParent(parent) ? GetParent(parent) : parent;
    ti.uId = reinterpret_cast<UINT_PTR>(parent);
    ti.lpszText = nullptr;
    SendMessageA(h, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
  Apply(c, chFont | chColor | chEnabled | chCheck | chItems | chSelection | chTip | chAlpha |
               chTrack | chIcon);
  // The combo box takes no window name at creation; its edit field gets the text now.
  if (c.Kind() == TControlKind::ComboBox && c.Editable())
    SetWindowTextA(h, ToAnsiText(c.Text()).c_str());
  --creating_;
  if (c.Visible() && c.Kind() != TControlKind::ToolTip) ShowNative(c);
}

void TWin32Backend::DestroyNative(TControl& c) {
  HWND h = H(c);
  if (h) LeaveFrom(h);  // while its window is still there
  hover_.Gone(c);
  c.SetNative(nullptr);
  if (!h) return;
  auto it = wins_.find(h);
  if (it != wins_.end()) it->second.Ctl = nullptr;  // nothing reaches c from here on
  if (IsWindow(h))
    ::DestroyWindow(h);
  else
    wins_.erase(h);
}

// The window tracking the mouse (one at a time) gets its leave when it is gone or lies inside
// gone: a hidden, destroyed or disabled window is no longer under the mouse, and the system's
// own leave would come late or, for a destroyed one, never.
void TWin32Backend::LeaveFrom(HWND gone) {
  for (auto& [h, rec] : wins_) {
    if (!rec.Tracking || (h != gone && !IsChild(gone, h))) continue;
    rec.Tracking = false;
    TRACKMOUSEEVENT t{sizeof(TRACKMOUSEEVENT), TME_CANCEL | TME_LEAVE, h, 0};
    TrackMouseEvent(&t);
    if (TControl* c = rec.Ctl) hover_.Left(*c);
    if (TControl* c = rec.Ctl; c && !Quiet()) {
      Trace(*c, "leave");
      c->NotifyMouseLeave();
    }
    return;  // the map may have changed
  }
}

void TWin32Backend::ShowNative(TControl& c) {
  HWND h = H(c);
  if (!h) return;
  if (!c.Visible()) {
    LeaveFrom(h);
    hover_.Gone(c);
    ShowWindow(h, SW_HIDE);
    return;
  }
  switch (c.Kind()) {
    case TControlKind::Form: {
      int cmd = c.WindowState() == wsMinimized   ? SW_SHOWMINIMIZED
                : c.WindowState() == wsMaximized ? SW_SHOWMAXIMIZED
                                                 : SW_SHOW;
      ShowWindow(h, cmd);
      break;
    }
    case TControlKind::ToolTip:
      break;  // tool tips show themselves
    default:
      ShowWindow(h, SW_SHOWNA);
      break;
  }
}

void TWin32Backend::Apply(TControl& c, uint32_t changes) {
  HWND h = H(c);
  if (!h) return;
  accessDue_ = accProps_ != nullptr;
  TControlKind k = c.Kind();
  if (changes & chStyle) {
    LONG_PTR keep =
        GetWindowLongPtrA(h, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    LONG_PTR keepEx = GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_LAYERED;
    SetWindowLongPtrA(h, GWL_STYLE, static_cast<LONG_PTR>(FullStyle(c) & ~WS_VISIBLE) | keep);
    SetWindowLongPtrA(h, GWL_EXSTYLE, static_cast<LONG_PTR>(FullExStyle(c)) | keepEx);
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if ((changes & chAlignment) && (k == TControlKind::Label || k == TControlKind::Panel)) {
    LONG_PTR s = GetWindowLongPtrA(h, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
    SetWindowLongPtrA(h, GWL_STYLE, s | (FullStyle(c) & SS_TYPEMASK));
    InvalidateRect(h, nullptr, TRUE);
  }
  if ((changes & chBounds) && k != TControlKind::ToolTip) {
    int height = c.Height() + (k == TControlKind::ComboBox ? kComboDropHeight : 0);
    SetWindowPos(h, nullptr, c.Left(), c.Top(), c.Width(), height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    if (k == TControlKind::Form) {
      Trace(c, "bounds " + std::to_string(c.Left()) + " " + std::to_string(c.Top()) + " " +
                   std::to_string(c.Width()) + " " + std::to_string(c.Height()));
    }
  }
  if ((changes & chText) && k != TControlKind::ToolTip &&
      (k != TControlKind::ComboBox || c.Editable())) {
    SetWindowTextA(h, ToAnsiText(c.Text()).c_str());
    if (k == TControlKind::Label || k == TControlKind::Panel) InvalidateRect(h, nullptr, TRUE);
    Trace(c, "text \"" + c.Text() + "\"");
  }
  if ((changes & chFont) && k != TControlKind::ToolTip && k != TControlKind::Application) {
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.Font())), TRUE);
    InvalidateRect(h, nullptr, TRUE);
    const TFontRec& f = c.Font();
    char color[16];
    std::snprintf(color, sizeof color, "%06X", static_cast<unsigned>(f.Color));
    Trace(c, "font \"" + f.Name + "\" " + std::to_string(f.Size) + " " + std::to_string(f.Style) +
                 " " + color);
  }
  if (changes & chColor) InvalidateRect(h, nullptr, TRUE);
  if (changes & chEnabled) {
    EnableWindow(h, c.Enabled());
    if (!c.Enabled()) LeaveFrom(h);  // no more input reaches it: the mouse has left
  }
  if ((changes & chCheck) && k == TControlKind::RadioButton) {
    SendMessageA(h, BM_SETCHECK, c.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    Trace(c, c.Checked() ? "check 1" : "check 0");
  }
  if ((changes & chItems) && k == TControlKind::ComboBox) {
    SendMessageA(h, CB_RESETCONTENT, 0, 0);
    // Inserted at their index: the layer keeps the order, also of a sorted list.
    for (int i = 0; i < c.ItemCount(); ++i) {
      std::string item = ToAnsiText(c.Item(i));
      SendMessageA(h, CB_INSERTSTRING, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(item.c_str()));
      SendMessageA(h, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(c.ItemData(i)));
    }
  }
  if ((changes & (chItems | chSelection)) && k == TControlKind::ComboBox)
    SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(c.ItemIndex()), 0);
  if ((changes & chTip) && k == TControlKind::ToolTip) ApplyTip(c);
  // TTM_TRACKPOSITION and TTM_TRACKACTIVATE, at the tracked point (ShowTip).
  if ((changes & chTrack) && k == TControlKind::ToolTip) hover_.Tracked(c);
  if ((changes & chAlpha) && k == TControlKind::Form) ApplyAlpha(c);
  if (changes & chVisible) {
    ShowNative(c);
    if (k == TControlKind::Form) {
      Trace(c, c.Visible() ? "show 1" : "show 0");
      if (c.Visible()) TraceLayout(c);
    }
    // A panel opened on a shown form (the settings panel): where its controls are.
    if (k == TControlKind::Panel && c.Visible() && IsWindowVisible(h)) TraceLayout(c);
  }
  if ((changes & chIcon) && (k == TControlKind::Form || k == TControlKind::Application)) {
    SendMessageA(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(IconFor(c.Icon(), false)));
    SendMessageA(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(IconFor(c.Icon(), true)));
  }
  if ((changes & chWindowState) && k == TControlKind::Form && c.Visible()) {
    ShowWindow(h, c.WindowState() == wsMinimized   ? SW_MINIMIZE
                  : c.WindowState() == wsMaximized ? SW_MAXIMIZE
                                                   : SW_RESTORE);
  }
  if (changes & chCursor) {
    // The cursor is set on WM_SETCURSOR; refresh it when the mouse is over the window now.
    POINT p;
    if (GetCursorPos(&p) && WindowFromPoint(p) == h)
      SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, 0));
  }
}

// The icon resource of that name, else the program's "MAINICON", else the system's.
HICON TWin32Backend::IconFor(const std::string& name, bool smallIcon) {
  int w = GetSystemMetrics(smallIcon ? SM_CXSMICON : SM_CXICON);
  int hgt = GetSystemMetrics(smallIcon ? SM_CYSMICON : SM_CYICON);
  for (const char* n : {name.empty() ? "MAINICON" : name.c_str(), "MAINICON"})
    if (HANDLE icon = LoadImageA(inst_, n, IMAGE_ICON, w, hgt, LR_SHARED))
      return static_cast<HICON>(icon);
  return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

void TWin32Backend::ApplyTip(TControl& tip) {
  HWND h = H(tip);
  TControl* owner = tip.Parent();
  if (!h || !owner || !owner->HasWindow()) return;
  const TToolTipInfo& t = tip.TipInfo();
  LONG_PTR s = GetWindowLongPtrA(h, GWL_STYLE);
  LONG_PTR want = t.Balloon ? (s | TTS_BALLOON) : (s & ~static_cast<LONG_PTR>(TTS_BALLOON));
  if (want != s) SetWindowLongPtrA(h, GWL_STYLE, want);
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(t.Font)), FALSE);
  SendMessageA(h, TTM_SETTIPTEXTCOLOR, Rgb(t.TextColor), 0);
  SendMessageA(h, TTM_SETTIPBKCOLOR, Rgb(t.BackColor), 0);
  SendMessageA(h, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(t.InitialDelay, 0));
  SendMessageA(h, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(t.AutoPopDelay, 0));
  RECT m{t.Margin, t.Margin, t.Margin, t.Margin};
  SendMessageA(h, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m));
  // Without a maximum width a tip ignores its line breaks and shows one long line.
  SendMessageA(h, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  HWND ownerH = H(*owner);
  ti.hwnd = GetParent(ownerH) ? GetParent(ownerH) : ownerH;
  ti.uId = reinterpret_cast<UINT_PTR>(ownerH);
  std::string text = ToAnsiText(t.Text);
  ti.lpszText = text.data();
  SendMessageA(h, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  // A tip never titled is left without one: some common controls keep a line for an empty
  // title.
  auto rec = wins_.find(h);
  bool titled = !t.Title.empty() || t.Icon != 0;
  if (titled || (rec != wins_.end() && rec->second.Titled)) {
    std::string title = ToAnsiText(t.Title);
    SendMessageA(h, TTM_SETTITLEA, static_cast<WPARAM>(t.Icon),
                 reinterpret_cast<LPARAM>(title.c_str()));
  }
  if (rec != wins_.end()) rec->second.Titled = titled;
}

// ---- the hover timing's host ----

void TWin32Backend::StartTimer(int id, int ms) {
  StopTimer(id);
  hoverTimers_[id] = SetTimer(nullptr, 0, static_cast<UINT>(ms), HoverTimerProc);
}

void TWin32Backend::StopTimer(int id) {
  if (hoverTimers_[id]) KillTimer(nullptr, hoverTimers_[id]);
  hoverTimers_[id] = 0;
}

// Thread timers repeat: each runs out once.
void TWin32Backend::HoverTick(UINT_PTR timer) {
  for (int id = 0; id < THoverTiming::tmCount; ++id)
    if (hoverTimers_[id] == timer) {
      StopTimer(id);
      hover_.Fired(id);
      return;
    }
  KillTimer(nullptr, timer);
}

namespace {

// The tool of a tip control: its owner's window.
TOOLINFOA ToolOf(HWND owner) {
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = GetParent(owner) ? GetParent(owner) : owner;
  ti.uId = reinterpret_cast<UINT_PTR>(owner);
  return ti;
}

}  // namespace

// Below the mouse, as the system puts a tip under the cursor.
void TWin32Backend::ShowTip(TControl& owner, TControl& tip, int x, int y) {
  HWND h = H(tip), o = H(owner);
  if (!h || !o) return;
  POINT p{x, y + 20};
  ClientToScreen(o, &p);
  TOOLINFOA ti = ToolOf(o);
  SendMessageA(h, TTM_TRACKPOSITION, 0, MAKELPARAM(p.x, p.y));
  SendMessageA(h, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  if (trace_) {
    RECT r;
    GetWindowRect(h, &r);
    Trace(tip, "shown at " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                   std::to_string(r.right) + " " + std::to_string(r.bottom) + " maxwidth " +
                   std::to_string(SendMessageA(h, TTM_GETMAXTIPWIDTH, 0, 0)));
  }
}

void TWin32Backend::HideTip(TControl& tip) {
  HWND h = H(tip);
  TControl* owner = tip.Parent();
  if (!h || !owner || !owner->HasWindow()) return;
  TOOLINFOA ti = ToolOf(H(*owner));
  SendMessageA(h, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
}

void TWin32Backend::ApplyAlpha(TControl& c) {
  HWND h = H(c);
  using TSetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  // Looked up at run time: systems without it leave the form opaque.
  static const TSetLayered setLayered = [] {
    HMODULE user = GetModuleHandleA("User32");
    FARPROC p = user ? GetProcAddress(user, "SetLayeredWindowAttributes") : nullptr;
    return reinterpret_cast<TSetLayered>(reinterpret_cast<void*>(p));
  }();
  if (!setLayered) return;
  LONG_PTR ex = GetWindowLongPtrA(h, GWL_EXSTYLE);
  if (c.Alpha() < 255) {
    SetWindowLongPtrA(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    setLayered(h, 0, c.Alpha(), LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrA(h, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
}

void TWin32Backend::Restack(TControl& c, bool toFront) {
  if (HWND h = H(c))
    SetWindowPos(h, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 toFront ? kFrontNoActivate : kBackNoActivate);
}

void TWin32Backend::SetFocus(TControl& c) {
  if (HWND h = H(c)) ::SetFocus(h);
}

void TWin32Backend::SetCapture(TControl* c) {
  if (c && c->HasWindow())
    ::SetCapture(H(*c));
  else
    ::ReleaseCapture();
}

void TWin32Backend::BeginSystemMove(TControl& form) {
  ::ReleaseCapture();
  SendMessageA(H(form), WM_SYSCOMMAND, 0xF012, 0);
}

TSize TWin32Backend::MeasureText(const TControl& c, std::string_view text) {
  HWND h = H(c);
  HDC dc = GetDC(h);
  if (!dc) return TSize{};
  HGDIOBJ old = SelectObject(dc, FontFor(c.Font()));
  SIZE s{0, 0};
  std::string ansi = ToAnsiText(text);
  GetTextExtentPoint32A(dc, ansi.data(), static_cast<int>(ansi.size()), &s);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return TSize{static_cast<int>(s.cx), static_cast<int>(s.cy)};
}

TSize TWin32Backend::FrameExtra(const TControl& form) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, FullStyle(form), FALSE, FullExStyle(form));
  return TSize{static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

// ---- the message loop ----

bool TWin32Backend::ProcessMessages(bool wait) {
  if (quit_) return false;
  if (accessDue_) RefreshAccess();
  if (wait) WaitMessage();
  MSG m;
  while (!quit_ && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      quitPosted_ = false;
      if (staleQuit_) {  // posted before the last ResetQuit
        staleQuit_ = false;
        continue;
      }
      quit_ = true;
      break;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  if (accessDue_) RefreshAccess();
  return !quit_;
}

void TWin32Backend::PostQuit() {
  if (!quitPosted_) PostQuitMessage(0);
  quitPosted_ = true;
  staleQuit_ = false;
  quit_ = true;
}

// The queue is not looked at here: a PeekMessage would make the pending messages old, and the
// WaitMessage of the next loop turn would then sleep on them.
void TWin32Backend::ResetQuit() {
  staleQuit_ = quitPosted_;
  quit_ = false;
}

// ---- messages ----

void TWin32Backend::PaintText(HWND h, TControl& c) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  FillRect(dc, &r, BrushFor(c.Color()));
  HGDIOBJ old = SelectObject(dc, FontFor(c.Font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c.Enabled() ? Rgb(c.Font().Color) : GetSysColor(COLOR_GRAYTEXT));
  std::string ansi = ToAnsiText(c.Text());
  TTextPlace t = PlaceText(dc, c, r, ansi);
  ExtTextOutA(dc, t.X, t.Y, ETO_CLIPPED, &r, ansi.c_str(), static_cast<UINT>(ansi.size()),
              ansi.empty() ? nullptr : t.Dx.data());
  if (keyboardCues_ && GetFocus() == h && c.Kind() == TControlKind::Label) {
    // A dotted rectangle around the text, within the label.
    RECT f{t.X - 1, r.top, t.X + t.Width + 1, std::min(r.bottom, r.top + t.Height + 1)};
    IntersectRect(&f, &f, &r);
    if (!IsRectEmpty(&f)) DrawFocusRect(dc, &f);
  }
  SelectObject(dc, old);
  EndPaint(h, &ps);
}

LRESULT TWin32Backend::ColorMessage(HWND child, HDC dc) {
  TControl* c = ControlOf(child);
  if (!c) return 0;
  SetTextColor(dc, Rgb(c->Font().Color));
  SetBkColor(dc, Rgb(c->Color()));
  return reinterpret_cast<LRESULT>(BrushFor(c->Color()));
}

void TWin32Backend::ChildCommand(HWND child, UINT code) {
  TControl* c = ControlOf(child);
  if (!c || Quiet()) return;
  switch (c->Kind()) {
    case TControlKind::RadioButton:
      if (code == BN_CLICKED) {
        Trace(*c, "click");
        c->NotifyClick();
      }
      break;
    case TControlKind::Label:
    case TControlKind::Panel:
      if (code == STN_CLICKED) {
        Trace(*c, "click");
        c->NotifyClick();
      }
      break;
    case TControlKind::ComboBox:
      if (code == CBN_SELCHANGE) {
        int i = static_cast<int>(SendMessageA(child, CB_GETCURSEL, 0, 0));
        Trace(*c, "select " + std::to_string(i));
        c->NotifySelChange(i);
      }
      break;
    default:
      break;
  }
}

TMouseInfo TMsg::Mouse(int button) const {
  TMouseInfo m;
  m.Button = button;
  m.Keys = static_cast<uint32_t>(Wp & 0xFFFF);
  m.X = static_cast<short>(LOWORD(Lp));
  m.Y = static_cast<short>(HIWORD(Lp));
  return m;
}

bool UnderTabNavigation(const TControl* c) {
  for (const TControl* p = c; p; p = p->Parent())
    if (p->TabNavigation()) return true;
  return false;
}

// The first move over a window asks for its leave message; every move goes to the hover timing.
LRESULT TWin32Backend::OnMouseMove(const TMsg& m) {
  auto r = wins_.find(m.H);
  if (r != wins_.end() && !r->second.Tracking) {
    r->second.Tracking = true;
    TRACKMOUSEEVENT t{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m.H, 0};
    TrackMouseEvent(&t);
    Trace(*m.Ctl, "enter");
  }
  if (!m.Live) return m.Next();
  TMouseInfo mouse = m.Mouse(0);
  hover_.Moved(*m.Ctl, mouse.X, mouse.Y);
  m.Ctl->NotifyMouseMove(mouse);
  return m.Next();
}

// The layer times the hover itself; a hover message some other code asked for still counts.
LRESULT TWin32Backend::OnMouseHover(const TMsg& m) {
  if (m.Live) {
    Trace(*m.Ctl, "hover");
    m.Ctl->NotifyMouseHover();
  }
  return 0;
}

// Only a window that asked for it hears of the leave, once: the one that disappeared under the
// mouse had it already.
LRESULT TWin32Backend::OnMouseLeave(const TMsg& m) {
  auto r = wins_.find(m.H);
  if (r == wins_.end() || !r->second.Tracking) return 0;
  r->second.Tracking = false;
  if (m.Ctl) hover_.Left(*m.Ctl);
  if (m.Live) {
    Trace(*m.Ctl, "leave");
    m.Ctl->NotifyMouseLeave();
  }
  return 0;
}

// Presses and double-clicks alike: the layer counts its own clicks.
LRESULT TWin32Backend::OnButtonDown(const TMsg& m) {
  int b = (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK)   ? 1
          : (m.Msg == WM_RBUTTONDOWN || m.Msg == WM_RBUTTONDBLCLK) ? 2
                                                                   : 3;
  if (m.Live) hover_.Pressed(*m.Ctl);
  if (m.Live) m.Ctl->NotifyMouseDown(m.Mouse(b));
  return m.Next();
}

LRESULT TWin32Backend::OnButtonUp(const TMsg& m) {
  int b = m.Msg == WM_LBUTTONUP ? 1 : m.Msg == WM_RBUTTONUP ? 2 : 3;
  if (m.Live) m.Ctl->NotifyMouseUp(m.Mouse(b));
  return m.Next();
}

// The wheel comes in screen coordinates.
LRESULT TWin32Backend::OnWheel(const TMsg& m) {
  POINT p{static_cast<short>(LOWORD(m.Lp)), static_cast<short>(HIWORD(m.Lp))};
  ScreenToClient(m.H, &p);
  TMouseInfo info;
  info.Keys = static_cast<uint32_t>(LOWORD(m.Wp));
  info.X = p.x;
  info.Y = p.y;
  info.Wheel = static_cast<short>(HIWORD(m.Wp));
  if (m.Live) m.Ctl->NotifyMouseWheel(info);
  // Only a combo box scrolls its own selection; nothing goes on to the parent.
  if (m.Ctl->Kind() == TControlKind::ComboBox) return m.Next();
  return 0;
}

// Keys the window layer navigates with stay away from the system controls: a button would
// click on Space a second time, a combo box step through its items on its own.
void TWin32Backend::SetClipboardText(std::string_view text) {
  HWND owner = nullptr;
  // The clipboard needs an owner window to take the text: a top window of ours.
  for (const auto& [h, w] : wins_)
    if (!GetParent(h) && (!owner || IsWindowVisible(h))) owner = h;
  WriteClipboardText(owner, text);
}

void TWin32Backend::ShowMessage(TControl* owner, std::string_view text, std::string_view caption) {
  TControl* top = owner ? owner->TopWindow() : nullptr;
  HWND h = top ? H(*top) : nullptr;
  MessageBoxA(h, ToAnsiText(text).c_str(), ToAnsiText(caption).c_str(), MB_OK | MB_ICONINFORMATION);
}

LRESULT TWin32Backend::OnKeyDown(const TMsg& m) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  bool shortcut = m.Ctl->TakesShortcut(static_cast<int>(m.Wp), ctrl);
  bool taken = m.Ctl->KeyNavigates(static_cast<int>(m.Wp));
  if (taken && !keyboardCues_) {
    keyboardCues_ = true;
    // Buttons draw their focus rectangle from here on.
    HWND top = GetAncestor(m.H, GA_ROOT);
    SendMessageA(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  }
  if (m.Live) m.Ctl->NotifyKeyDown(static_cast<int>(m.Wp), GetKeyState(VK_SHIFT) < 0, ctrl);
  if (taken || shortcut) return 0;
  return m.Next();
}

LRESULT TWin32Backend::OnKeyUp(const TMsg& m) {
  bool taken = m.Ctl->KeyNavigates(static_cast<int>(m.Wp));
  if (m.Live) m.Ctl->NotifyKeyUp(static_cast<int>(m.Wp));
  if (taken) return 0;
  return m.Next();
}

LRESULT TWin32Backend::OnChar(const TMsg& m) {
  if (m.Wp == '\t' && UnderTabNavigation(m.Ctl)) return 0;
  char ch = static_cast<char>(m.Wp);
  if (m.Live) m.Ctl->NotifyChar(std::string_view(&ch, 1));
  return m.Next();
}

LRESULT TWin32Backend::OnFocus(const TMsg& m) {
  LRESULT res = m.Next();
  // Labels paint their own focus mark.
  if (m.Ctl->Kind() == TControlKind::Label) InvalidateRect(m.H, nullptr, TRUE);
  if (m.Msg == WM_SETFOCUS) Trace(*m.Ctl, "focus");
  TellAccess(*m.Ctl);  // the focused state, before a screen reader asks
  if (m.Live) m.Ctl->NotifyFocus(m.Msg == WM_SETFOCUS);
  return res;
}

// A control's position is reported in its parent's client coordinates.
LRESULT TWin32Backend::OnMove(const TMsg& m) {
  LRESULT res = m.Next();
  if (!m.Live || IsIconic(m.H)) return res;
  RECT r;
  GetWindowRect(m.H, &r);
  TControlKind k = m.Ctl->Kind();
  if (k != TControlKind::Form && k != TControlKind::Application)
    MapWindowPoints(nullptr, GetParent(m.H), reinterpret_cast<POINT*>(&r), 2);
  m.Ctl->NotifyMoved(r.left, r.top);
  return res;
}

// A combo box's window includes its drop-down list: its size stays the layer's.
LRESULT TWin32Backend::OnSize(const TMsg& m) {
  LRESULT res = m.Next();
  if (!m.Live || m.Ctl->Kind() == TControlKind::ComboBox) return res;
  if (m.Wp == SIZE_MINIMIZED) {
    m.Ctl->NotifyResized(m.Ctl->Width(), m.Ctl->Height());
  } else {
    RECT r;
    GetWindowRect(m.H, &r);
    m.Ctl->NotifyResized(r.right - r.left, r.bottom - r.top);
  }
  return res;
}

LRESULT TWin32Backend::OnActivate(const TMsg& m) {
  if (m.Live) m.Ctl->NotifyActivate(m.Wp != 0);
  return m.Next();
}

LRESULT TWin32Backend::OnShowWindow(const TMsg& m) {
  if (m.Live && m.Lp == 0 && m.Ctl->Kind() == TControlKind::Form) m.Ctl->NotifyShow(m.Wp != 0);
  return m.Next();
}

// The layer destroys the window when the close goes through.
LRESULT TWin32Backend::OnClose(const TMsg& m) {
  if (!m.Live) return 0;
  bool asked = m.Lp == 0;
  Trace(*m.Ctl, asked ? "close asked" : "close");
  m.Ctl->NotifyClose(asked);
  return 0;
}

LRESULT TWin32Backend::OnCommand(const TMsg& m) {
  HWND child = reinterpret_cast<HWND>(m.Lp);
  if (!child || !ControlOf(child)) return m.Next();
  ChildCommand(child, HIWORD(m.Wp));
  return 0;
}

// A tool tip reports when it shows and hides.
LRESULT TWin32Backend::OnNotify(const TMsg& m) {
  auto* n = reinterpret_cast<NMHDR*>(m.Lp);
  TControl* from = n ? ControlOf(n->hwndFrom) : nullptr;
  if (from && from->Kind() == TControlKind::ToolTip &&
      (n->code == TTN_SHOW || n->code == TTN_POP)) {
    from->SetTipShown(n->code == TTN_SHOW);
    return 0;
  }
  return m.Next();
}

LRESULT TWin32Backend::OnCtlColor(const TMsg& m) {
  HWND child = reinterpret_cast<HWND>(m.Lp);
  if (!ControlOf(child)) return m.Next();
  return ColorMessage(child, reinterpret_cast<HDC>(m.Wp));
}

LRESULT TWin32Backend::OnEraseBackground(const TMsg& m) {
  switch (m.Ctl->Kind()) {
    case TControlKind::Form:
    case TControlKind::Application:
    case TControlKind::GroupBox: {
      RECT r;
      GetClientRect(m.H, &r);
      FillRect(reinterpret_cast<HDC>(m.Wp), &r, BrushFor(m.Ctl->Color()));
      return 1;
    }
    case TControlKind::Label:
    case TControlKind::Panel:
      return 1;  // painted whole in WM_PAINT
    default:
      return m.Next();
  }
}

LRESULT TWin32Backend::OnPaint(const TMsg& m) {
  TControlKind k = m.Ctl->Kind();
  if (k != TControlKind::Label && k != TControlKind::Panel) return m.Next();
  PaintText(m.H, *m.Ctl);
  return 0;
}

LRESULT TWin32Backend::OnSetCursor(const TMsg& m) {
  if (reinterpret_cast<HWND>(m.Wp) != m.H || LOWORD(m.Lp) != HTCLIENT || m.Ctl->Cursor() == 0)
    return m.Next();
  ::SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(m.Ctl->Cursor())));
  return TRUE;
}

LRESULT TWin32Backend::Dispatch(const TMsg& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      return OnMouseMove(m);
    case WM_MOUSEHOVER:
      return OnMouseHover(m);
    case WM_MOUSELEAVE:
      return OnMouseLeave(m);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return OnButtonDown(m);
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      return OnButtonUp(m);
    case WM_MOUSEWHEEL:
      return OnWheel(m);
    case WM_KEYDOWN:
      return OnKeyDown(m);
    case WM_KEYUP:
      return OnKeyUp(m);
    case WM_CHAR:
      return OnChar(m);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return OnFocus(m);
    case WM_MOVE:
      return OnMove(m);
    case WM_SIZE:
      return OnSize(m);
    case WM_ACTIVATE:
      return OnActivate(m);
    case WM_SHOWWINDOW:
      return OnShowWindow(m);
    case WM_CLOSE:
      return OnClose(m);
    case WM_COMMAND:
      return OnCommand(m);
    case WM_NOTIFY:
      return OnNotify(m);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return OnCtlColor(m);
    case WM_ERASEBKGND:
      return OnEraseBackground(m);
    case WM_PAINT:
      return OnPaint(m);
    case WM_SETCURSOR:
      return OnSetCursor(m);
    default:
      return m.Next();
  }
}

// Finds the control of a window (our own classes bring it with their creation parameters),
// forgets a window that is gone, and hands everything else to Dispatch.
LRESULT TWin32Backend::Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    if (cs->lpCreateParams && !wins_.count(h)) {
      TWinRec r;
      r.Ctl = static_cast<TControl*>(cs->lpCreateParams);
      wins_[h] = r;
    }
  }
  auto it = wins_.find(h);
  if (it == wins_.end()) return DefWindowProcA(h, msg, wp, lp);
  // Copies: the map may change during the notifications.
  TMsg m{h, msg, wp, lp, it->second.Ctl, it->second.OldProc, !Quiet()};
  if (msg == WM_NCDESTROY) {
    ForgetAccess(h);
    LRESULT res = m.Next();
    if (m.Ctl && m.Ctl->Native() == h) m.Ctl->SetNative(nullptr);
    wins_.erase(h);
    return res;
  }
  if (!m.Ctl) return m.Next();
  return Dispatch(m);
}

LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!g_backend) return DefWindowProcA(h, msg, wp, lp);
  return g_backend->Handle(h, msg, wp, lp);
}

VOID CALLBACK CloseTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (g_backend) g_backend->CloseTick();
}

VOID CALLBACK HoverTimerProc(HWND, UINT, UINT_PTR timer, DWORD) {
  if (g_backend) g_backend->HoverTick(timer);
}

// ChooseFontA initialised with the five values; the choice comes back from its LOGFONT.
bool TWin32Backend::PickFont(TControl* owner, const TFontRec& font, TFontChoice& out) {
  LOGFONTA lf = {};
  lf.lfHeight = FontHeightFor(font.Size, PixelsPerInch());
  lf.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style & fsItalic) != 0;
  lf.lfUnderline = (font.Style & fsUnderline) != 0;
  lf.lfStrikeOut = (font.Style & fsStrikeOut) != 0;
  lf.lfCharSet = font.CharSet;
  std::string face = ToAnsiText(font.Name);
  lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  CHOOSEFONTA cf = {};
  cf.lStructSize = sizeof cf;
  HWND top = owner ? H(*owner) : GetActiveWindow();
  if (top) top = GetAncestor(top, GA_ROOT);
  cf.hwndOwner = top;
  cf.lpLogFont = &lf;
  cf.iPointSize = font.Size * 10;
  cf.rgbColors = Rgb(font.Color);
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&cf)) return false;
  out.Face = lf.lfFaceName;
  out.PointTenths = cf.iPointSize;
  out.Weight = lf.lfWeight;
  out.Italic = lf.lfItalic != 0;
  out.Underline = lf.lfUnderline != 0;
  out.StrikeOut = lf.lfStrikeOut != 0;
  out.Color = cf.rgbColors & 0x00FFFFFFu;
  out.CharSet = lf.lfCharSet;
  return true;
}

}  // namespace

TBackend& Win32Backend() {
  static TWin32Backend b;
  return b;
}

std::string Win32TraceName(const TControl& c) {
  std::vector<int> ids;  // from c up to its top window
  const TControl* p = &c;
  while (p && !p->IsTopLevel()) {
    ids.push_back(p->Id());
    p = p->Parent();
  }
  std::string name = KindWord(c.Kind());
  name += ' ';
  if (p && p->Kind() == TControlKind::Application) {
    name += 'A';
  } else if (p) {
    name += 'F';
    name += std::to_string(p->Id());
  }
  for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
    name += '.';
    name += std::to_string(*it);
  }
  return name;
}

long Win32AccessStatus() {
  return static_cast<TWin32Backend&>(Win32Backend()).AccessStatus();
}

void SetWin32AccessService(IAccPropServices* service) {
  static_cast<TWin32Backend&>(Win32Backend()).SetAccessService(service);
}

void SetWin32Trace(const std::string& path) {
  static_cast<TWin32Backend&>(Win32Backend()).SetTrace(path);
}

std::string ToAnsiText(std::string_view text) {
  if (text.empty() || IsAscii(text) || text.size() > 0x7fffffff) return std::string(text);
  int n = static_cast<int>(text.size());
  int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), n, nullptr, 0);
  if (wide <= 0) return std::string(text);  // not UTF-8: already in the code page
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), n, w.data(), wide);
  int bytes = WideCharToMultiByte(CP_ACP, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string(text);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}
