// The conformance suite on the Win32 backend with real windows (Windows, or wine with a
// display): windows are read back with window messages; input comes as the messages the system
// sends, with the cursor put where the mouse is.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef CreateWindow
#include <oleacc.h>
// The font dialog's control ids (after windows.h, whose types it uses).
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "tests/backends/conformance_font_dialog.h"
#include "tests/backends/conformance_suite.h"
#include "tests/backends/conformance_tips_modal.h"
#include "ui/backends/win32/backend_win32.h"

namespace {

HWND H(const TControl& c) {
  return static_cast<HWND>(c.Native());
}

class Win32Driver {
 public:
  static void SetUpSuite() {}
  static void TearDownSuite() {}
  TBackend& Backend() { return Win32Backend(); }
  void Pump() { Win32Backend().ProcessMessages(false); }

  bool Exists(const TControl& c) { return H(c) && IsWindow(H(c)); }
  bool ChildOf(const TControl& c, const TControl& parent) {
    return Exists(c) && GetParent(H(c)) == H(parent);
  }
  TSeen Seen(const TControl& c) {
    TSeen s;
    HWND h = H(c);
    if (!Exists(c)) return s;
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    s.Text = text;
    ReadFont(h, s);
    if (!c.IsTopLevel()) ReadColours(h, s);
    LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
    if (c.Kind() == TControlKind::Label || c.Kind() == TControlKind::Panel) {
      LONG_PTR type = style & SS_TYPEMASK;
      s.Alignment = type == SS_RIGHT ? taRight : type == SS_CENTER ? taCenter : taLeft;
    }
    s.Visible = (style & WS_VISIBLE) != 0;
    s.Enabled = IsWindowEnabled(h) != 0;
    if (c.Kind() == TControlKind::RadioButton)
      s.Checked = SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (c.Kind() == TControlKind::ComboBox) ReadItems(h, s);
    if (c.IsTopLevel()) {
      auto shown = reinterpret_cast<HANDLE>(SendMessageA(h, WM_GETICON, ICON_BIG, 0));
      for (const char* name : {"ICON0", "MAINICON"})
        if (shown && shown == LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON,
                                         GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                         LR_SHARED))
          s.Icon = name;
    }
    RECT r;
    GetWindowRect(h, &r);
    if (!c.IsTopLevel()) MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    s.Left = r.left;
    s.Top = r.top;
    s.Width = r.right - r.left;
    s.Height = r.bottom - r.top;
    return s;
  }
  std::vector<TControl*> Stack(const TControl& parent, const std::vector<TControl*>& among) {
    std::vector<TControl*> out;
    for (HWND h = GetWindow(H(parent), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      for (TControl* c : among)
        if (H(*c) == h) out.push_back(c);
    return out;
  }

  void Move(TControl& c, int x, int y) { MouseTo(c, x, y); }
  void Press(TControl& c, int button, int x, int y) {
    MouseTo(c, x, y);
    if (!Reaches(H(c))) return;
    UINT msg = button == 2 ? WM_RBUTTONDOWN : button == 3 ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
    WPARAM keys = button == 2 ? MK_RBUTTON : button == 3 ? MK_MBUTTON : MK_LBUTTON;
    SendMessageA(H(c), msg, keys, MAKELPARAM(x, y));
  }
  void Release(TControl& c, int button, int x, int y) {
    if (!Reaches(H(c))) return;
    UINT msg = button == 2 ? WM_RBUTTONUP : button == 3 ? WM_MBUTTONUP : WM_LBUTTONUP;
    SendMessageA(H(c), msg, 0, MAKELPARAM(x, y));
  }
  void Wheel(TControl& c, int delta, int x, int y) {
    MouseTo(c, x, y);
    POINT p = Screen(c, x, y);
    SendMessageA(H(c), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                 MAKELPARAM(p.x, p.y));
  }
  void Key(TControl& c, int key) {
    c.SetFocus();
    if (!Reaches(H(c))) return;
    SendMessageA(H(c), WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    SendMessageA(H(c), WM_KEYUP, static_cast<WPARAM>(key), 0);
  }
  // Ctrl is held as the thread's keyboard state says, which the backend asks.
  void CtrlKey(TControl& c, int key) {
    BYTE state[256], held[256];
    GetKeyboardState(state);
    std::copy(state, state + 256, held);
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
    Key(c, key);
    SetKeyboardState(state);
  }
  void LeaveTo(TControl& form, int x, int y) { MouseTo(form, x, y); }

  // The real dialog, answered through its controls as the user would: a thread timer finds it
  // once its modal loop runs, picks in the face, style, size, underline and colour boxes (each
  // with the notification a click sends) and presses OK or Cancel.
  static constexpr bool kWindowIcon = true;
  // What a client of the accessibility interfaces reads: the client object of a control, the
  // window object of a top window.
  static constexpr bool kAccess = true;
  TAccessSeen Access(const TControl& c) {
    static const std::map<LONG, std::string> roles = {
        {ROLE_SYSTEM_WINDOW, "window"},     {ROLE_SYSTEM_DIALOG, "dialog"},
        {ROLE_SYSTEM_GROUPING, "group"},    {ROLE_SYSTEM_RADIOBUTTON, "radio button"},
        {ROLE_SYSTEM_PUSHBUTTON, "button"}, {ROLE_SYSTEM_LISTITEM, "item"},
        {ROLE_SYSTEM_ALERT, "alert"},       {ROLE_SYSTEM_COMBOBOX, "combo box"},
        {ROLE_SYSTEM_STATICTEXT, "text"},   {ROLE_SYSTEM_TOOLTIP, "tool tip"}};
    TAccessRead r = Read(c);
    TAccessSeen s;
    auto role = roles.find(r.Role);
    s.Role = role == roles.end() ? "none" : role->second;
    // A text no one is to hear is invisible while its window shows.
    if (r.Role == ROLE_SYSTEM_STATICTEXT && (r.State & STATE_SYSTEM_INVISIBLE) &&
        IsWindowVisible(H(c)))
      s.Role = "hidden";
    s.Name = r.Name;
    s.Description = r.Description;
    if (r.Role == ROLE_SYSTEM_RADIOBUTTON) s.Checked = (r.State & STATE_SYSTEM_CHECKED) ? 1 : 0;
    return s;
  }
  // Why the descriptions cannot be checked here ("" when they can): the system refused the
  // annotations, and what it answers for probe instead.
  std::string AccessUnheard(const TControl& probe) {
    long status = Win32AccessStatus();
    if (status == 0) return "";
    TAccessRead r = Read(probe);
    TAccessInfo a = probe.Access();
    char text[768];
    std::snprintf(
        text, sizeof text,
        "the system keeps no annotation (0x%08lX); AccessibleObjectFromWindow(OBJID_CLIENT)"
        " of the %s \"%s\" (%s, described \"%s\") answers 0x%08lX: role %ld, name "
        "\"%s\", state 0x%lX, description \"%s\"",
        static_cast<unsigned long>(status), AccessRoleName(a.Role), a.Name.c_str(),
        a.Checked ? "checked" : "not checked", a.Description.c_str(),
        static_cast<unsigned long>(r.Result), static_cast<long>(r.Role), r.Name.c_str(),
        static_cast<unsigned long>(r.State), r.Description.c_str());
    return text;
  }
  static constexpr bool kFontDialog = true;
  static constexpr bool kDialogColor = true;
  static std::string DialogFace(int i) { return i ? "Tahoma" : "MS Sans Serif"; }
  void AnswerFontDialog(const TFontChoice* answer) {
    Dialog().Answer = answer ? *answer : TFontChoice();
    Dialog().Confirm = answer != nullptr;
    SetTimer(nullptr, 0, 50, &Win32Driver::AnswerDialog);
  }
  TTipSeen TipSeen(const TControl& tip) {
    HWND h = H(tip);
    if (!Exists(tip) || !tip.Parent()) return TTipSeen{};
    RECT r;
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(H(*tip.Parent()), &p);
    return TTipSeen{IsWindowVisible(h) != 0, p.x, p.y};
  }
  // The close box sends WM_SYSCOMMAND SC_CLOSE, which becomes WM_CLOSE; a disabled window's box
  // cannot be pressed.
  bool CloseBox(TControl& form) {
    if (Reaches(H(form))) SendMessageA(H(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  }

  TFontRec FontDialogShown() const { return Dialog().Shown; }
  int FontDialogsShown() const { return Dialog().Count; }
  Win32Driver() { Dialog() = TDialogState(); }
  // The message loop runs for ms: the system's timers (hover, tool tips) run out meanwhile.
  void Wait(int ms) {
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    for (;;) {
      Pump();
      auto left = static_cast<int>(end - GetTickCount());
      if (left <= 0) break;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
  }

 private:
  struct TAccessRead {
    HRESULT Result = E_FAIL;
    LONG Role = 0, State = 0;
    std::string Name, Description;
  };
  static std::string Utf8(BSTR s) {
    if (!s) return "";
    int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
  }
  static TAccessRead Read(const TControl& c) {
    TAccessRead r;
    IAccessible* acc = nullptr;
    LONG object = c.IsTopLevel() ? OBJID_WINDOW : OBJID_CLIENT;
    r.Result = AccessibleObjectFromWindow(H(c), static_cast<DWORD>(object), IID_IAccessible,
                                          reinterpret_cast<void**>(&acc));
    if (FAILED(r.Result) || !acc) return r;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT v{};
    if (SUCCEEDED(acc->get_accRole(self, &v)) && v.vt == VT_I4) r.Role = v.lVal;
    VariantClear(&v);
    if (SUCCEEDED(acc->get_accState(self, &v)) && v.vt == VT_I4) r.State = v.lVal;
    VariantClear(&v);
    BSTR text = nullptr;
    if (SUCCEEDED(acc->get_accName(self, &text))) r.Name = Utf8(text);
    SysFreeString(text);
    text = nullptr;
    if (SUCCEEDED(acc->get_accDescription(self, &text))) r.Description = Utf8(text);
    SysFreeString(text);
    acc->Release();
    return r;
  }
  static POINT Screen(const TControl& c, int x, int y) {
    POINT p{x, y};
    ClientToScreen(H(c), &p);
    return p;
  }
  // The system's part of a move: the cursor goes there, the window it left hears of it, the
  // window under it gets the move.
  void MouseTo(TControl& c, int x, int y) {
    POINT p = Screen(c, x, y);
    SetCursorPos(p.x, p.y);
    if (last_ && last_ != H(c) && IsWindow(last_)) SendMessageA(last_, WM_MOUSELEAVE, 0, 0);
    last_ = H(c);
    if (Reaches(H(c))) SendMessageA(H(c), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  }
  // The system gives no input to a window that is disabled or lies in a disabled window (a
  // modal form is up).
  static bool Reaches(HWND h) {
    for (; h; h = (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr)
      if (!IsWindowEnabled(h)) return false;
    return true;
  }
  static void ReadFont(HWND h, TSeen& s) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    if (!font || GetObjectA(font, sizeof lf, &lf) == 0) return;
    s.FontPixels = std::abs(lf.lfHeight);
    s.Bold = lf.lfWeight >= FW_BOLD;
    s.Italic = lf.lfItalic != 0;
    s.Underline = lf.lfUnderline != 0;
  }
  // The colours the parent is told to paint the control with.
  static void ReadColours(HWND h, TSeen& s) {
    HDC dc = GetDC(h);
    SendMessageA(GetParent(h), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(h));
    s.TextColor = GetTextColor(dc);
    s.Color = GetBkColor(dc);
    ReleaseDC(h, dc);
  }
  static void ReadItems(HWND h, TSeen& s) {
    int n = static_cast<int>(SendMessageA(h, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char item[128] = {};
      if (SendMessageA(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < LRESULT(sizeof item))
        SendMessageA(h, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      s.Items.push_back(item);
    }
    s.Selection = static_cast<int>(SendMessageA(h, CB_GETCURSEL, 0, 0));
  }

  HWND last_ = nullptr;  // the window the mouse was last moved over

  struct TDialogState {
    TFontChoice Answer;
    bool Confirm = false;
    TFontRec Shown;
    int Count = 0;
  };
  static TDialogState& Dialog() {
    static TDialogState state;
    return state;
  }
  static BOOL CALLBACK FindDialog(HWND h, LPARAM out) {
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !IsWindowVisible(h) || !GetDlgItem(h, cmb1)) return TRUE;
    *reinterpret_cast<HWND*>(out) = h;
    return FALSE;
  }
  // Selects the first item of a box for which match says yes, as a click there would.
  template <class Match>
  static void Pick(HWND dialog, int id, Match match) {
    HWND box = GetDlgItem(dialog, id);
    int n = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[128] = {};
      if (SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < LRESULT(sizeof text))
        SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      auto data =
          static_cast<uint32_t>(SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
      if (!match(std::string(text), data)) continue;
      SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(box));
      return;
    }
    ADD_FAILURE() << "the font dialog's box " << id << " has no such item";
  }
  static void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &Win32Driver::FindDialog,
                      reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;  // not up yet
    KillTimer(nullptr, timer);
    TDialogState& st = Dialog();
    char face[LF_FACESIZE] = {}, size[16] = {};
    GetDlgItemTextA(dialog, cmb1, face, sizeof face);
    GetDlgItemTextA(dialog, cmb3, size, sizeof size);
    st.Shown.Name = face;
    st.Shown.Size = static_cast<uint8_t>(std::atoi(size));
    ++st.Count;
    if (!st.Confirm) {
      SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    const TFontChoice& a = st.Answer;
    Pick(dialog, cmb1, [&](const std::string& t, uint32_t) { return t == a.Face; });
    Pick(dialog, cmb2, [&](const std::string&, uint32_t d) {
      return (LOWORD(d) >= 700) == (a.Weight >= 700) && (HIWORD(d) != 0) == a.Italic;
    });
    std::string points = std::to_string(a.PointTenths / 10);
    Pick(dialog, cmb3, [&](const std::string& t, uint32_t) { return t == points; });
    CheckDlgButton(dialog, chx2, a.Underline ? BST_CHECKED : BST_UNCHECKED);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(chx2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, chx2)));
    Pick(dialog, cmb4, [&](const std::string&, uint32_t d) { return d == a.Color; });
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BackendConformance, Win32Driver);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BackendFontDialog, Win32Driver);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BackendTipsModal, Win32Driver);
