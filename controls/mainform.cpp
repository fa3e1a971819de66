#include "controls/mainform.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "controls/app.h"
#include "elements/inifile.h"
#include "platform/file_layout.h"
#include "platform/os.h"
#include "platform/registry.h"
#include "runtime/event.h"
#include "runtime/initprocs.h"
#include "ui/backend.h"

namespace {

// Limits for a placement read from the ini file.
constexpr int32_t kPlaceLimit = 32000;
constexpr int32_t kMinWidth = 136, kMinHeight = 39;
constexpr int32_t kMaxSize = 8192;

}  // namespace

THIMainForm::THIMainForm(TControl* parent) : THIWin(parent) {
  OwnsApplication = CreateApplicationWindow() ? 1 : 0;
  TControl* owner = parent ? parent : ApplicationWindow();
  Control = new TControl(TControlKind::Form, owner);
  Control->SetStyle(ws::Caption | ws::SysMenu | ws::SizeBox | ws::MinimizeBox | ws::MaximizeBox, 0);
  Control->SetVisible(false);
  Control->SetListener(this);
  AddInitProc<&THIMainForm::StartUp>(this);
}

THIMainForm::~THIMainForm() {
  // Nothing may reach this element while its windows go away.
  if (Control) Control->SetListener(nullptr);
  if (OwnsApplication && ApplicationWindow()) DestroyApplicationWindow();
  // An unstarted form leaves its start-up entry behind: take it out.
  for (TInitProc& p : InitProcs)
    if (p.Obj == this) p.Code = nullptr;
}

void THIMainForm::SetCaption(std::string_view text) {
  Control->SetText(text);
  if (OwnsApplication && ApplicationWindow()) ApplicationWindow()->SetText(text);
}

void THIMainForm::SetBorderStyle(int value) {
  if (value < 0 || value > 7) return;
  static const uint32_t styles[8] = {0,          0x00C20000, 0x00C70000, 0x00C00000,
                                     0x00C00000, 0x00C40000, 0,          0x00040000};
  static const uint32_t exStyles[8] = {0, 0, 0, 0x100, 0x80, 0x80, 0x1, 0};
  uint32_t s = (Control->Style() & ~0x00C70000u) | styles[value];
  uint32_t x = (Control->ExStyle() & ~0x00000181u) | exStyles[value];
  Control->SetStyle(s, x);
}

void THIMainForm::SetIcon(std::string_view icon) {
  icon_ = icon.empty() ? std::string("MAINICON") : std::string(icon);
  Control->SetIcon(icon_);
  if (OwnsApplication && ApplicationWindow()) ApplicationWindow()->SetIcon(icon_);
}

void THIMainForm::SetToolWindow(bool on) {
  if (OwnsApplication && on && ApplicationWindow()) {
    TControl* a = ApplicationWindow();
    a->SetStyle(a->Style(), a->ExStyle() | 0x81);
  }
}

void THIMainForm::Init() {
  uint8_t vis = Visible;
  Visible = 0;
  THIWin::Init();
  Visible = vis;
  if (AlphaBlend != appliedAlpha_) {
    appliedAlpha_ = AlphaBlend;
    uint32_t x = Control->ExStyle();
    x = AlphaBlend < 255 ? (x | wsex::Layered) : (x & ~wsex::Layered);
    Control->SetStyle(Control->Style(), x);
    Control->SetAlpha(AlphaBlend);
  }
  if (ClientSize) Control->SetClientSize(Width, Height);
  if (AfterInit) AfterInit(this);
}

void THIMainForm::StartUp() {
  FireNull(onCreate);
  if (Control) Control->SetVisible(Visible != 0);
}

void THIMainForm::ShowHook(bool shown) {
  if (shown && !PlacementDone) {
    PlacementDone = 1;
    if (WindowState == 1 || WindowState == 2) Control->SetWindowState(WindowState);
    Placement(0);
  }
}

bool THIMainForm::PlaceFile(std::string& file, std::string& section) const {
  size_t p = Place.find(".ini\\");
  if (p == std::string::npos) return false;
  file = os::SettingsFolder() + Place.substr(0, p + 4);
  section = Place.substr(p + 5);
  return true;
}

void THIMainForm::RegistryPlacement(int save) {
  TControl& c = *Control;
  std::string key = "Software\\" + Place;
  if (save) {
    os::WriteRegistryInts(
        os::RegistryRoot::CurrentUser, key,
        {{"Left", c.Left()}, {"Top", c.Top()}, {"Height", c.Height()}, {"Width", c.Width()}});
    return;
  }
  std::vector<std::optional<int32_t>> v;
  if (!os::ReadRegistryInts(os::RegistryRoot::CurrentUser, key, {"Left", "Top", "Height", "Width"},
                            v))
    return;
  // Kept within what a desktop can show, as a placement from the ini file is.
  c.SetPosition(std::clamp(v[0].value_or(c.Left()), -kPlaceLimit, kPlaceLimit), c.Top());
  c.SetPosition(c.Left(), std::clamp(v[1].value_or(c.Top()), -kPlaceLimit, kPlaceLimit));
  c.SetSize(c.Width(), std::clamp(v[2].value_or(c.Height()), kMinHeight, kMaxSize));
  c.SetSize(std::clamp(v[3].value_or(c.Width()), kMinWidth, kMaxSize), c.Height());
}

void THIMainForm::Placement(int save) {
  if (!Control || Place.empty()) return;
  std::string file, section;
  if (!PlaceFile(file, section)) {
    RegistryPlacement(save);
    return;
  }
  TControl& c = *Control;
  TIniFile ini(file);
  ini.Section = section;
  if (save) {
    os::MakeSettingsFolderFor(file);
    ini.Mode = TIniFile::WriteMode;
    // One rewrite, so that another instance closing at the same moment cannot mix its
    // placement into this one. Nothing is on screen any more to show a failure.
    ini.ValueIntegers(
        {{"Left", c.Left()}, {"Top", c.Top()}, {"Width", c.Width()}, {"Height", c.Height()}});
    return;
  }
  ini.Mode = TIniFile::ReadMode;
  // The file may hold anything: keep the window within what a desktop can show, as the
  // window manager's minimum and maximum tracking sizes would.
  c.SetPosition(std::clamp(ini.ValueInteger("Left", c.Left()), -kPlaceLimit, kPlaceLimit), c.Top());
  c.SetPosition(c.Left(), std::clamp(ini.ValueInteger("Top", c.Top()), -kPlaceLimit, kPlaceLimit));
  c.SetSize(std::clamp(ini.ValueInteger("Width", c.Width()), kMinWidth, kMaxSize), c.Height());
  c.SetSize(c.Width(), std::clamp(ini.ValueInteger("Height", c.Height()), kMinHeight, kMaxSize));
}

void THIMainForm::CtlMouseDown(TControl& c, const TMouseInfo& m) {
  if (DragByClient) {
    c.ReleaseCapture();
    c.BeginSystemMove();
  }
  THIWin::CtlMouseDown(c, m);
}

void THIMainForm::CtlMoved(TControl& c) {
  if (OwnsApplication && ApplicationWindow()) ApplicationWindow()->SetPosition(c.Left(), c.Top());
  THIWin::CtlMoved(c);
}

void THIMainForm::CtlResized(TControl& c) {
  if (OwnsApplication && ApplicationWindow()) {
    TControl* a = ApplicationWindow();
    a->SetSize(c.Width(), a->Height());
  }
  THIWin::CtlResized(c);
}

void THIMainForm::CtlActivate(TControl&, bool active) {
  FireNull(active ? onActivate : onDeactivate);
}

bool THIMainForm::CtlClose(TControl& c, bool asked) {
  if (asked && ReadPointInteger(KeepOpen) != 0) return false;
  std::vector<TControl*> kids = c.Children();
  for (TControl* k : kids)
    if (k->Kind() == TControlKind::Form) k->Close(false);
  if (OwnsApplication) {
    FireNull(onClose);
    ResetDispatchers();
    Placement(1);
    Backend().PostQuit();
    return true;  // the window closes
  }
  // A secondary form hides, or, shown modal, ends that show with -1 (which hides it), once its
  // placement is saved.
  bool modal = c.Modal();
  if (!modal) c.SetVisible(false);
  Placement(1);
  if (modal) c.SetModalResult(-1);
  return false;
}

void THIMainForm::CtlModalEnd(TControl&, int result) {
  FireInteger(onModalResult, result);
}

void THIMainForm::doShowModal(TData&, uint16_t) {
  if (Control && !OwnsApplication) Control->ShowModal();
}

void THIMainForm::doModalResult(TData& data, uint16_t) {
  if (Control) Control->SetModalResult(ToInteger(data));
}

void Start(THIMainForm* mainForm) {
  TControl* applet = ApplicationWindow();
  if (applet && mainForm) applet->SetVisible(mainForm->Visible != 0);
  InstallDispatchers();
  RunInitProcs();
}
