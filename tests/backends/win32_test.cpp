// The Win32 backend against real windows (run under a display: Windows, or wine with Xvfb).
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef CreateWindow

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/recorder.h"
#include "ui/backends/win32/backend_win32.h"
#include "ui/control.h"

namespace {

HWND H(const TControl* c) {
  return static_cast<HWND>(c->Native());
}

std::string ClassOf(HWND h) {
  char buf[64] = {};
  GetClassNameA(h, buf, sizeof buf);
  std::string s(buf);
  for (char& ch : s)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  return s;
}

LONG_PTR StyleOf(HWND h) {
  return GetWindowLongPtrA(h, GWL_STYLE);
}

// Runs everything that is queued, without waiting.
void Pump() {
  Win32Backend().ProcessMessages(false);
}

// A form with a group box of three radio buttons, a label and a combo box.
class Win32Ui : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBackend(&Win32Backend());
    app = std::make_unique<TControl>(TControlKind::Application, nullptr);
    form = new TControl(TControlKind::Form, app.get());
    form->SetStyle(ws::Caption | ws::SysMenu | ws::MinimizeBox, 0);
    form->SetBounds(10, 20, 400, 300);
    form->SetText("Form");
    form->SetColor(0xF0FBFF);
    group = new TControl(TControlKind::GroupBox, form);
    group->SetBounds(8, 8, 200, 120);
    group->SetText("Group");
    for (int i = 0; i < 3; ++i) {
      auto* r = new TControl(TControlKind::RadioButton, group);
      r->SetBounds(8, 20 + 24 * i, 150, 20);
      r->SetText("Radio" + std::to_string(i));
      radios.push_back(r);
    }
    label = new TControl(TControlKind::Label, form);
    label->SetBounds(220, 10, 120, 20);
    label->SetText("Label");
    combo = new TControl(TControlKind::ComboBox, form);
    combo->SetBounds(220, 40, 120, 21);
    combo->SetText("Combo");
    for (TControl* c : {form, group, label, combo, radios[0], radios[1], radios[2]})
      c->SetListener(&rec);
    app->CreateWindowTree();
  }
  void TearDown() override {
    if (app) app->DestroyWindow();
    for (TControl* r : radios)
      delete r;
    delete label;
    delete combo;
    delete group;
    delete form;
    app.reset();
    Pump();
    SetBackend(nullptr);
  }
  void ShowForm() {
    form->SetVisible(true);
    Pump();
  }

  Recorder rec;
  std::unique_ptr<TControl> app;
  TControl* form = nullptr;
  TControl* group = nullptr;
  TControl* label = nullptr;
  TControl* combo = nullptr;
  std::vector<TControl*> radios;
};

}  // namespace

TEST_F(Win32Ui, ControlsAreWindowsOfTheirClasses) {
  EXPECT_EQ(ClassOf(H(label)), "static");
  EXPECT_EQ(ClassOf(H(group)), "button");
  EXPECT_EQ(ClassOf(H(radios[0])), "button");
  EXPECT_EQ(ClassOf(H(combo)), "combobox");
  EXPECT_EQ(StyleOf(H(group)) & 0xF, BS_GROUPBOX);
  EXPECT_EQ(StyleOf(H(radios[1])) & 0xF, BS_RADIOBUTTON);  // not the automatic kind
  EXPECT_TRUE(StyleOf(H(radios[1])) & BS_NOTIFY);
  EXPECT_TRUE(StyleOf(H(label)) & SS_NOTIFY);
  EXPECT_TRUE(StyleOf(H(label)) & SS_NOPREFIX);
  EXPECT_EQ(StyleOf(H(combo)) & 3, CBS_DROPDOWNLIST);
  // The controls of a group box are its children, placed in its client area.
  EXPECT_EQ(GetParent(H(radios[0])), H(group));
  RECT r;
  GetWindowRect(H(radios[2]), &r);
  MapWindowPoints(nullptr, H(group), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 8);
  EXPECT_EQ(r.top, 20 + 48);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(GetDlgCtrlID(H(radios[2])), radios[2]->Id());
}

TEST_F(Win32Ui, FormIsCreatedHiddenAndShownOnRequest) {
  EXPECT_FALSE(IsWindowVisible(H(form)));
  EXPECT_EQ(GetWindow(H(form), GW_OWNER), H(app.get()));
  ShowForm();
  EXPECT_TRUE(IsWindowVisible(H(form)));
  EXPECT_TRUE(IsWindowVisible(H(radios[0])));
  EXPECT_TRUE(rec.Has("Form: show"));
  char text[32] = {};
  GetWindowTextA(H(form), text, sizeof text);
  EXPECT_STREQ(text, "Form");
}

TEST_F(Win32Ui, BorderStyleBitsReachTheWindowAndTheFrameSize) {
  EXPECT_EQ(StyleOf(H(form)) & 0x00C70000, 0x00C20000);
  RECT adj{0, 0, 0, 0};
  AdjustWindowRectEx(&adj, static_cast<DWORD>(StyleOf(H(form))), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(H(form), GWL_EXSTYLE)));
  TSize extra = Win32Backend().FrameExtra(*form);
  EXPECT_EQ(extra.Width, adj.right - adj.left);
  EXPECT_EQ(extra.Height, adj.bottom - adj.top);
  EXPECT_GT(extra.Height, extra.Width);  // the caption
  form->SetStyle(0x00C70000 | ws::SysMenu, 0x00000080);
  EXPECT_EQ(StyleOf(H(form)) & 0x00C70000, 0x00C70000);
  EXPECT_TRUE(GetWindowLongPtrA(H(form), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT client;
  GetClientRect(H(form), &client);
  TSize cs = form->ClientSize();
  EXPECT_EQ(cs.Width, client.right);
  EXPECT_EQ(cs.Height, client.bottom);
}

TEST_F(Win32Ui, FontsFollowThePointsToHeightRule) {
  TFontRec f;
  f.Name = "MS Sans Serif";
  f.Size = 10;
  f.Style = fsBold | fsUnderline;
  f.CharSet = 204;
  label->SetFont(f);
  auto font = reinterpret_cast<HFONT>(SendMessageA(H(label), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTA lf{};
  ASSERT_GT(GetObjectA(font, sizeof lf, &lf), 0);
  int ppi = Win32Backend().PixelsPerInch();
  EXPECT_EQ(lf.lfHeight, -((10 * ppi + 36) / 72));
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_FALSE(lf.lfItalic);
  EXPECT_EQ(lf.lfCharSet, 204);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
  // The same record gives the same font object; another size a new one.
  TFontRec g = f;
  g.Size = 8;
  radios[0]->SetFont(g);
  radios[1]->SetFont(g);
  EXPECT_EQ(SendMessageA(H(radios[0]), WM_GETFONT, 0, 0),
            SendMessageA(H(radios[1]), WM_GETFONT, 0, 0));
  EXPECT_NE(SendMessageA(H(radios[0]), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
  // A measured text grows with its length.
  TSize one = label->MeasureText("W");
  TSize three = label->MeasureText("WWW");
  EXPECT_GT(three.Width, one.Width);
  EXPECT_EQ(three.Height, one.Height);
}

TEST_F(Win32Ui, ColoursComeFromTheControlWhicheverParentAsks) {
  TFontRec f = radios[1]->Font();
  f.Color = 0x008000;
  radios[1]->SetFont(f);
  radios[1]->SetColor(0x112233);
  label->SetColor(0x445566);
  HDC dc = GetDC(H(form));
  // A radio button inside a group box asks the group box, which answers for it.
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(H(group), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(H(radios[1]))));
  ASSERT_NE(brush, nullptr);
  LOGBRUSH lb{};
  GetObjectA(brush, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, 0x112233u);
  EXPECT_EQ(GetTextColor(dc), 0x008000u);
  EXPECT_EQ(GetBkColor(dc), 0x112233u);
  brush = reinterpret_cast<HBRUSH>(SendMessageA(
      H(form), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(H(label))));
  GetObjectA(brush, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, 0x445566u);
  ReleaseDC(H(form), dc);
}

TEST_F(Win32Ui, LabelPaintsItsColoursOnScreen) {
  label->SetColor(0x0000FF);  // red background
  TFontRec f = label->Font();
  f.Color = 0xFF0000;  // blue text
  f.Size = 14;
  label->SetFont(f);
  label->SetText("MMMM");
  ShowForm();
  UpdateWindow(H(form));
  UpdateWindow(H(label));
  HDC dc = GetDC(H(label));
  int red = 0, blue = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 120; ++x) {
      COLORREF p = GetPixel(dc, x, y);
      if (p == 0x0000FF) ++red;
      if (p == 0xFF0000) ++blue;
    }
  ReleaseDC(H(label), dc);
  EXPECT_GT(red, 120 * 20 / 2);
  EXPECT_GT(blue, 10);
}

TEST_F(Win32Ui, RadioClicksReachTheButtonThroughItsGroupBox) {
  EXPECT_EQ(SendMessageA(H(radios[0]), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(H(radios[1]), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ShowForm();
  rec.Log.clear();
  SendMessageA(H(radios[2]), BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(rec.Has("Radio2: click"));
  EXPECT_FALSE(rec.Has("Radio0: click"));
  // A plain radio button does not check itself: the layer does, for the whole group.
  EXPECT_EQ(SendMessageA(H(radios[2]), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  group->CheckRadioButton(group->FirstRadioId(), group->LastRadioId(), radios[2]->Id());
  EXPECT_EQ(SendMessageA(H(radios[0]), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(H(radios[2]), BM_GETCHECK, 0, 0), BST_CHECKED);
  radios[2]->SetChecked(false);
  EXPECT_EQ(SendMessageA(H(radios[2]), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// Moves, presses, wheel and leave are in the conformance suite; these come only from Win32.
TEST_F(Win32Ui, StaticClickHoverAndCharacterNotifications) {
  ShowForm();
  rec.Log.clear();
  SendMessageA(H(form), WM_COMMAND, MAKEWPARAM(label->Id(), STN_CLICKED),
               reinterpret_cast<LPARAM>(H(label)));
  EXPECT_TRUE(rec.Has("Label: click"));
  SendMessageA(H(label), WM_MOUSEHOVER, 0, MAKELPARAM(3, 4));
  EXPECT_TRUE(rec.Has("Label: hover"));
  SendMessageA(H(form), WM_CHAR, 'q', 0);
  EXPECT_TRUE(rec.Has("Form: char q"));
}

TEST_F(Win32Ui, ComboItemsSelectionAndPicks) {
  combo->AddItem("en");
  combo->AddItem("ru", 7);
  combo->AddItem("de");
  EXPECT_EQ(SendMessageA(H(combo), CB_GETITEMDATA, 1, 0), 7);
  combo->SetItemIndex(combo->FindItem("R", true));
  EXPECT_EQ(SendMessageA(H(combo), CB_GETCURSEL, 0, 0), 1);
  rec.Log.clear();
  // The user's pick arrives as CBN_SELCHANGE at the parent.
  SendMessageA(H(combo), CB_SETCURSEL, 2, 0);
  EXPECT_TRUE(rec.Log.empty());  // a programmatic selection is no pick
  SendMessageA(H(form), WM_COMMAND, MAKEWPARAM(combo->Id(), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(H(combo)));
  EXPECT_TRUE(rec.Has("Combo: pick 2"));
  EXPECT_EQ(combo->ItemIndex(), 2);
  // The window keeps the stored height of its field; the list drops below it.
  RECT r;
  GetWindowRect(H(combo), &r);
  EXPECT_LE(r.bottom - r.top, 40);
}

TEST_F(Win32Ui, EditableComboIsADropDownWithAnEditField) {
  std::unique_ptr<TControl> e(new TControl(TControlKind::ComboBox, form));
  e->SetEditable(true);
  e->SetBounds(220, 80, 120, 21);
  e->CreateWindow();
  ASSERT_TRUE(e->HasWindow());
  EXPECT_EQ(StyleOf(H(e.get())) & 3, CBS_DROPDOWN);
}

TEST_F(Win32Ui, CloseAsksTheListenerAndDestroysOnlyWhenAllowed) {
  ShowForm();
  rec.AllowClose = false;
  SendMessageA(H(form), WM_CLOSE, 0, 0);
  EXPECT_TRUE(rec.Has("Form: close asked"));
  ASSERT_TRUE(form->HasWindow());
  EXPECT_TRUE(IsWindow(H(form)));
  rec.AllowClose = true;
  HWND old = H(form);
  HWND oldRadio = H(radios[0]);
  SendMessageA(old, WM_CLOSE, 0, 1);
  EXPECT_TRUE(rec.Has("Form: close"));
  EXPECT_FALSE(form->HasWindow());
  EXPECT_FALSE(radios[0]->HasWindow());
  EXPECT_FALSE(IsWindow(old));
  EXPECT_FALSE(IsWindow(oldRadio));
}

TEST_F(Win32Ui, FormMovesAndResizesReportTheNewPlacement) {
  ShowForm();
  MoveWindow(H(form), 50, 60, 420, 310, TRUE);
  Pump();
  EXPECT_EQ(form->Left(), 50);
  EXPECT_EQ(form->Top(), 60);
  EXPECT_EQ(form->Width(), 420);
  EXPECT_EQ(form->Height(), 310);
}

TEST_F(Win32Ui, TabMovesTheFocusAmongTabStops) {
  form->SetTabNavigation(true);
  radios[0]->SetTabOrder(1);
  radios[2]->SetTabOrder(2);
  ShowForm();
  radios[0]->SetFocus();
  SendMessageA(H(radios[0]), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), H(radios[2]));
  SendMessageA(H(radios[2]), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), H(radios[0]));
}

TEST_F(Win32Ui, OpacityNeedsTheRunTimeLookUp) {
  form->SetAlpha(128);
  EXPECT_TRUE(GetWindowLongPtrA(H(form), GWL_EXSTYLE) & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  if (GetLayeredWindowAttributes(H(form), nullptr, &alpha, &flags)) {
    EXPECT_EQ(alpha, 128);
  }
  form->SetAlpha(255);
  EXPECT_FALSE(GetWindowLongPtrA(H(form), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(Win32Ui, ToolTipIsAWindowOfTheCommonControls) {
  TControl* tip = label->ToolTip();
  ASSERT_TRUE(tip->HasWindow());
  EXPECT_EQ(ClassOf(H(tip)), "tooltips_class32");
  EXPECT_TRUE(GetWindowLongPtrA(H(tip), GWL_EXSTYLE) & WS_EX_TOPMOST);
  TToolTipInfo info;
  info.Text = "Points left";
  info.Title = "Hint";
  info.Icon = 2;
  info.BackColor = 0x00FFFF;
  info.InitialDelay = 123;
  tip->SetTipInfo(info);
  EXPECT_EQ(SendMessageA(H(tip), TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(H(tip), TTM_GETTIPBKCOLOR, 0, 0)), 0x00FFFFu);
  EXPECT_EQ(SendMessageA(H(tip), TTM_GETDELAYTIME, TTDT_INITIAL, 0), 123);
  char text[64] = {};
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = H(form);
  ti.uId = reinterpret_cast<UINT_PTR>(H(label));
  ti.lpszText = text;
  SendMessageA(H(tip), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(text, "Points left");
  HWND h = H(tip);
  label->RemoveToolTip();
  EXPECT_FALSE(IsWindow(h));
}

// The tip control shows its tool when the layer's timing says so, below the mouse, and hides it
// again on a press, when the mouse leaves and after the auto-pop.
TEST_F(Win32Ui, TheTipWindowFollowsTheHoverTiming) {
  ShowForm();
  TControl* tip = label->ToolTip();
  TToolTipInfo info;
  info.Text = "Points left";
  info.InitialDelay = 300;
  info.AutoPopDelay = 800;
  tip->SetTipInfo(info);
  auto wait = [](int ms) {
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - GetTickCount()) > 0) {
      Pump();
      Sleep(10);
    }
  };
  auto move = [&] { SendMessageA(H(label), WM_MOUSEMOVE, 0, MAKELPARAM(6, 7)); };
  struct Case {
    const char* name;
    std::function<void()> input;
    int waitMs;
    bool shown;
  };
  const Case cases[] = {
      {"before the delay", move, 100, false},
      {"after it", [] {}, 400, true},
      {"pressed", [&] { SendMessageA(H(label), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 7)); }, 50,
       false},
      {"rested again", move, 500, true},
      {"left", [&] { SendMessageA(H(label), WM_MOUSELEAVE, 0, 0); }, 50, false},
      {"rested past the auto-pop", move, 1300, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    k.input();
    wait(k.waitMs);
    EXPECT_EQ(IsWindowVisible(H(tip)) != 0, k.shown);
    EXPECT_EQ(tip->TipShown(), k.shown);
  }
  // It stands below the spot the mouse rests on (the tip control may put its frame a pixel out).
  move();
  wait(400);
  RECT r{};
  GetWindowRect(H(tip), &r);
  POINT spot{6, 7};
  ClientToScreen(H(label), &spot);
  EXPECT_NEAR(r.left, spot.x, 1);
  EXPECT_NEAR(r.top, spot.y + 20, 1);
}

TEST_F(Win32Ui, LoopRunsPostedMessagesUntilQuit) {
  ShowForm();
  rec.Log.clear();
  PostMessageA(H(label), WM_MOUSEMOVE, 0, MAKELPARAM(1, 2));
  EXPECT_TRUE(Win32Backend().ProcessMessages(false));
  EXPECT_TRUE(rec.Has("Label: move 1,2 keys 0"));
  Win32Backend().PostQuit();
  PostMessageA(H(label), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
  EXPECT_FALSE(Win32Backend().ProcessMessages(false));
  EXPECT_FALSE(rec.Has("Label: move 3,4 keys 0"));
  Win32Backend().ResetQuit();
  EXPECT_TRUE(Win32Backend().ProcessMessages(false));
  EXPECT_TRUE(rec.Has("Label: move 3,4 keys 0"));
}

TEST_F(Win32Ui, TraceWritesOneLinePerNotification) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + "hs-trace-" + std::to_string(GetCurrentProcessId());
  DeleteFileA(path.c_str());
  SetWin32Trace(path);
  ShowForm();
  SendMessageA(H(radios[1]), BM_CLICK, 0, 0);
  label->SetText("changed");
  SetWin32Trace("");
  std::ifstream f(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  f.close();
  DeleteFileA(path.c_str());
  EXPECT_NE(text.find("radio F1.1.2 click\n"), std::string::npos) << text;
  EXPECT_NE(text.find("label F1.2 text \"changed\"\n"), std::string::npos) << text;
  EXPECT_EQ(Win32TraceName(*app), "app A");
}

// Decodes code-page bytes back to UTF-16.
static std::wstring FromAnsi(const std::string& a) {
  std::wstring w(a.size(), L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, a.data(), static_cast<int>(a.size()), w.data(),
                              static_cast<int>(w.size()));
  w.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return w;
}

TEST(Win32Text, Utf8BecomesTheCodePageAndOtherBytesPassUnchanged) {
  EXPECT_EQ(ToAnsiText("Clear"), "Clear");
  EXPECT_EQ(ToAnsiText(""), "");
  // Not UTF-8: taken as bytes of the code page already.
  EXPECT_EQ(ToAnsiText("\xC0\xFF x"), "\xC0\xFF x");
  // A Cyrillic letter reaches the window as itself where the code page has it, else as "?".
  std::wstring de = FromAnsi(ToAnsiText("\xD0\x94"));
  ASSERT_EQ(de.size(), 1u);
  EXPECT_TRUE(de[0] == 0x0414 || de[0] == L'?') << static_cast<int>(de[0]);
  if (GetACP() == 1251) {
    EXPECT_EQ(ToAnsiText("\xD0\x94\xD0\xB0"), "\xC4\xE0");
  }
  std::wstring e = FromAnsi(ToAnsiText("caf\xC3\xA9"));
  EXPECT_EQ(e.substr(0, 3), L"caf");
  EXPECT_EQ(e.size(), 4u);
}

TEST_F(Win32Ui, Utf8CaptionsReachTheWindowInTheCodePage) {
  label->SetText("caf\xC3\xA9");
  char text[16] = {};
  GetWindowTextA(H(label), text, sizeof text);
  EXPECT_EQ(std::string(text), ToAnsiText("caf\xC3\xA9"));
  EXPECT_EQ(label->Text(), "caf\xC3\xA9");  // the layer keeps its own UTF-8 text
}

namespace {

// An annotation service that keeps what it is told, per window and property ("role",
// "name", "description", "state"), for the client object only.
class TAnnotations final : public IAccPropServices {
 public:
  std::map<std::pair<HWND, std::string>, std::string> Props;

  std::string Of(const TControl* c, const std::string& prop) const {
    auto it = Props.find({H(c), prop});
    return it == Props.end() ? "-" : it->second;
  }
  HRESULT WINAPI QueryInterface(REFIID riid, void** out) override {
    *out = (riid == IID_IUnknown || riid == IID_IAccPropServices) ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG WINAPI AddRef() override { return ++refs_; }
  ULONG WINAPI Release() override { return --refs_; }
  HRESULT WINAPI SetHwndProp(HWND h, DWORD object, DWORD child, MSAAPROPID prop,
                             VARIANT v) override {
    if (!Client(object, child) || v.vt != VT_I4) return E_INVALIDARG;
    char hex[16];
    std::snprintf(hex, sizeof hex, "%lX", static_cast<unsigned long>(v.lVal));
    Props[{h, Name(prop)}] = hex;
    return S_OK;
  }
  HRESULT WINAPI SetHwndPropStr(HWND h, DWORD object, DWORD child, MSAAPROPID prop,
                                LPCWSTR text) override {
    if (!Client(object, child)) return E_INVALIDARG;
    char utf8[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    Props[{h, Name(prop)}] = utf8;
    return S_OK;
  }
  HRESULT WINAPI ClearHwndProps(HWND h, DWORD object, DWORD child, const MSAAPROPID* props,
                                int count) override {
    if (!Client(object, child)) return E_INVALIDARG;
    for (int i = 0; i < count; ++i)
      Props.erase({h, Name(props[i])});
    return S_OK;
  }
  HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                               AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                   AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                    AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
    return E_NOTIMPL;
  }

 private:
  static bool Client(DWORD object, DWORD child) {
    return object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF;
  }
  static std::string Name(const MSAAPROPID& p) {
    if (IsEqualGUID(p, PROPID_ACC_ROLE)) return "role";
    if (IsEqualGUID(p, PROPID_ACC_NAME)) return "name";
    if (IsEqualGUID(p, PROPID_ACC_DESCRIPTION)) return "description";
    if (IsEqualGUID(p, PROPID_ACC_STATE)) return "state";
    return "other";
  }
  ULONG refs_ = 1;
};

// The events sent about windows' client objects.
std::vector<std::pair<DWORD, HWND>>* g_events = nullptr;
void CALLBACK OnAccessEvent(HWINEVENTHOOK, DWORD event, HWND h, LONG object, LONG child, DWORD,
                            DWORD) {
  if (g_events && object == OBJID_CLIENT && child == CHILDID_SELF) g_events->push_back({event, h});
}

}  // namespace

// Role, name, description and state of each control reach the annotation service; what changes
// later is annotated again and announced; a destroyed window's annotations are cleared.
TEST_F(Win32Ui, AnnotationsFollowTheLayersDescription) {
  TAnnotations service;
  std::vector<std::pair<DWORD, HWND>> events;
  g_events = &events;
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
                      OnAccessEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  std::string effect = "Strength +1";
  label->SetAccessRole(TAccessRole::Button);
  radios[1]->SetAccessDescription([&effect] { return effect; });
  radios[2]->SetAccessRole(TAccessRole::Hidden);
  combo->SetAccessLabels({label});
  ShowForm();
  SetWin32AccessService(&service);
  Pump();
  // Role and state in hex: 2D radio button, 2B push button, 29 static text, 14 grouping;
  // 100000 focusable, 10 checked, 8000 invisible, 1 unavailable. "-": not annotated.
  struct Case {
    const char* step;
    TControl* c;
    const char *role, *name, *description, *state;
  };
  const Case cases[] = {
      {"start", radios[0], "2D", "Radio0", "", "100010"},
      {"start", radios[1], "2D", "Radio1", "Strength +1", "100000"},
      {"start", radios[2], "29", "Radio2", "", "108000"},
      {"start", label, "2B", "Label", "", "0"},
      {"start", group, "14", "Group", "", "-"},
      {"start", combo, "-", "Label", "", "-"},
      {"start", form, "-", "-", "-", "-"},
      {"changed", radios[0], "2D", "Radio0", "", "100000"},
      {"changed", radios[1], "2D", "Radio1", "Gold +10", "100011"},
      {"changed", label, "2B", "Clear", "", "0"},
      {"changed", combo, "-", "Clear", "", "-"},
  };
  std::string step;
  for (const Case& k : cases) {
    if (k.step != step && (step = k.step) == "changed") {
      events.clear();
      // A click: the data changes the description, the layer moves the check.
      effect = "Gold +10";
      group->CheckRadioButton(group->FirstRadioId(), group->LastRadioId(), radios[1]->Id());
      radios[1]->SetEnabled(false);
      label->SetText("Clear");
      Pump();
    }
    SCOPED_TRACE(step + ": " + k.c->Text());
    EXPECT_EQ(service.Of(k.c, "role"), k.role);
    EXPECT_EQ(service.Of(k.c, "name"), k.name);
    EXPECT_EQ(service.Of(k.c, "description"), k.description);
    EXPECT_EQ(service.Of(k.c, "state"), k.state);
  }
  Win32Backend().ProcessMessages(false);
  UnhookWinEvent(hook);
  g_events = nullptr;
  // Out-of-context events come through the queue: each change was told once, nothing else.
  auto told = [&events](DWORD event, const TControl* c) {
    return std::count(events.begin(), events.end(), std::make_pair(event, H(c)));
  };
  EXPECT_EQ(told(EVENT_OBJECT_STATECHANGE, radios[0]), 1);
  EXPECT_EQ(told(EVENT_OBJECT_STATECHANGE, radios[1]), 1);
  EXPECT_EQ(told(EVENT_OBJECT_DESCRIPTIONCHANGE, radios[1]), 1);
  EXPECT_EQ(told(EVENT_OBJECT_NAMECHANGE, label), 1);
  EXPECT_EQ(told(EVENT_OBJECT_NAMECHANGE, combo), 1);
  EXPECT_EQ(events.size(), 5u);
  HWND gone = H(label);
  label->DestroyWindow();
  EXPECT_EQ(service.Props.count({gone, "name"}), 0u);
  EXPECT_EQ(service.Props.count({gone, "role"}), 0u);
  SetWin32AccessService(nullptr);
}
