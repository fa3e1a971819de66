// TControl: one window of the window layer. Elements own them; a backend presents them.
//
// The tree mirrors Win32 windows: a parent with its children, the children kept in z-order
// (front first; a new child goes to the back, as CreateWindowEx puts it). Positions are in the
// parent's client area. Every setter stores the value and, when the native window exists,
// passes the change to the backend. Backends report input through the Notify* entry points,
// which hand it to the listener (the element) after the layer's own bookkeeping.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/fontrec.h"

enum class TControlKind : uint8_t {
  Application,  // the hidden window that stands for the program
  Form,         // a top-level window
  Label,        // "STATIC" text
  RadioButton,  // "BUTTON", plain radio button
  GroupBox,     // "BUTTON", group box; parent of the controls inside it
  Panel,        // "STATIC" container
  ComboBox,     // "COMBOBOX", drop-down list
  ToolTip,      // "tooltips_class32", owned by the control it describes
};

// Win32 style bits the layer and the backends use.
namespace ws {
constexpr uint32_t Caption = 0x00C00000;  // title bar (border + dialog frame)
constexpr uint32_t SysMenu = 0x00080000;
constexpr uint32_t SizeBox = 0x00040000;  // sizing frame
constexpr uint32_t MinimizeBox = 0x00020000;
constexpr uint32_t MaximizeBox = 0x00010000;
constexpr uint32_t TabStop = 0x00010000;  // on child windows
constexpr uint32_t Border = 0x00800000;
}  // namespace ws
namespace wsex {
constexpr uint32_t DlgModalFrame = 0x00000001;
constexpr uint32_t TopMost = 0x00000008;
constexpr uint32_t ToolWindow = 0x00000080;
constexpr uint32_t WindowEdge = 0x00000100;
constexpr uint32_t ClientEdge = 0x00000200;
constexpr uint32_t ControlParent = 0x00010000;
constexpr uint32_t Layered = 0x00080000;
}  // namespace wsex

// Key-state flags of a mouse notification (MK_*).
enum : uint32_t {
  mkLButton = 0x0001,
  mkRButton = 0x0002,
  mkShift = 0x0004,
  mkControl = 0x0008,
  mkMButton = 0x0010,
};

// Virtual-key codes the window layer acts on (VK_*).
enum : int {
  vkTab = 9,
  vkReturn = 13,
  vkEscape = 27,
  vkSpace = 32,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
  vkC = 'C',
  vkV = 'V',
};

// The edit shortcuts a top window may take: Ctrl+C and Ctrl+V.
enum class TEditShortcut { Copy, Paste };

// Text alignment of labels and panels.
enum : uint8_t { taLeft = 0, taRight = 1, taCenter = 2 };

// Show state of a form (SW_*-like).
enum : uint8_t { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// Cursor ids (IDC_*); 0 is the class default.
enum : int32_t {
  crDefault = 0,
  crArrow = 32512,
  crIBeam = 32513,
  crWait = 32514,
  crCross = 32515,
  crSizeAll = 32646,
  crNo = 32648,
  crHand = 32649,
};

struct TMouseInfo {
  int Button = 0;     // 1 left, 2 right, 3 middle; 0 for moves
  uint32_t Keys = 0;  // mk* flags as the message reports them
  int X = 0, Y = 0;   // in the control's client area
  int Wheel = 0;      // signed wheel delta (WM_MOUSEWHEEL)
};

struct TSize {
  int Width = 0, Height = 0;
};

// What a control is for assistive technology (screen readers and the like).
enum class TAccessRole : uint8_t {
  None,         // no role of its own: its children are presented, it is not
  Hidden,       // not presented: its text is part of another control's name
  Window,       // a top-level window
  Dialog,       // a panel that stands for a dialog
  Group,        // a titled frame holding related controls
  RadioButton,  // one choice of a set
  Button,       // a control that acts when clicked
  Item,         // one entry of a group (a result row: name and value)
  Alert,        // a warning
  ComboBox,     // a drop-down list
  Text,         // static text
  ToolTip,
};

// The role's name as tests and text dumps show it ("radio button").
const char* AccessRoleName(TAccessRole role);

// The description of a control for assistive technology, computed from its state.
struct TAccessInfo {
  TAccessRole Role = TAccessRole::None;
  std::string Name;
  std::string Description;
  std::string Value;  // a combo box: its selected item
  bool Checkable = false, Checked = false;
  bool Enabled = true, Showing = true;
  bool Focusable = false;
};

class TControl;
// The names of the showing items under root (result rows), in creation order.
std::vector<std::string> AccessItemNames(const TControl& root);
// What a change made, for a short announcement: the names in after that before lacks, joined
// by ", " ("Strength 7, Gold 60"); "" when nothing changed.
std::string AccessChanges(const std::vector<std::string>& before,
                          const std::vector<std::string>& after);

// Tool-tip settings of a ToolTip control (one tool: the owning control).
struct TToolTipInfo {
  std::string Text;
  std::string Title;
  int Icon = 0;  // 0 none, 1 information, 2 warning, 3 error
  bool Balloon = false;
  uint32_t TextColor = clInfoText;
  uint32_t BackColor = clInfoBk;
  int InitialDelay = 500;   // ms
  int AutoPopDelay = 5000;  // ms
  int Margin = 0;           // px, all four sides
  bool Tracking = false;
  TFontRec Font;
};

class TControl;

// The element side of a control: what it does with each notification.
class TControlListener {
 public:
  virtual ~TControlListener() = default;
  virtual void CtlMouseDown(TControl&, const TMouseInfo&) {}
  virtual void CtlMouseMove(TControl&, const TMouseInfo&) {}
  virtual void CtlMouseUp(TControl&, const TMouseInfo&) {}
  virtual void CtlMouseWheel(TControl&, const TMouseInfo&) {}
  virtual void CtlMouseHover(TControl&) {}
  virtual void CtlMouseLeave(TControl&) {}
  virtual void CtlKeyDown(TControl&, int /*key*/) {}
  virtual void CtlKeyUp(TControl&, int /*key*/) {}
  virtual void CtlChar(TControl&, std::string_view /*text*/) {}
  virtual void CtlFocus(TControl&, bool /*gained*/) {}
  virtual void CtlMoved(TControl&) {}
  virtual void CtlResized(TControl&) {}
  virtual void CtlActivate(TControl&, bool /*active*/) {}
  virtual void CtlShow(TControl&, bool /*shown*/) {}
  // asked: closed by the user (WM_CLOSE with lParam 0). False keeps the window open.
  virtual bool CtlClose(TControl&, bool /*asked*/) { return true; }
  virtual void CtlClick(TControl&) {}
  virtual void CtlSelChange(TControl&) {}  // the user picked a combo item
  // A modal show of the form ended with this result (TControl::SetModalResult).
  virtual void CtlModalEnd(TControl&, int /*result*/) {}
};

class TControl {
 public:
  TControl(TControlKind kind, TControl* parent);
  ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // ---- tree ----
  TControlKind Kind() const { return kind_; }
  TControl* Parent() const { return parent_; }
  // Children in z-order, front first.
  const std::vector<TControl*>& Children() const { return children_; }
  // Identifier among the parent's children (creation order, from 1).
  int Id() const { return id_; }
  // The nearest Form or Application ancestor (or this).
  TControl* TopWindow();
  bool IsTopLevel() const {
    return kind_ == TControlKind::Form || kind_ == TControlKind::Application;
  }

  // ---- native window ----
  // Creates the native window (the parent's first) when it does not exist yet.
  void CreateWindow();
  // Creates the native windows of this control and every descendant.
  void CreateWindowTree();
  // Destroys the native windows of the descendants and of this control; the object stays.
  void DestroyWindow();
  bool HasWindow() const { return native_ != nullptr; }
  void* Native() const { return native_; }
  void SetNative(void* n) { native_ = n; }  // backends only

  TControlListener* Listener() const { return listener_; }
  void SetListener(TControlListener* l) { listener_ = l; }

  // ---- geometry ----
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetPosition(int left, int top) { SetBounds(left, top, width_, height_); }
  void SetSize(int width, int height) { SetBounds(left_, top_, width, height); }
  // Client size of a form: the frame is the backend's business; others: the whole size.
  TSize ClientSize() const;
  void SetClientSize(int width, int height);
  // Origin of the client area in screen coordinates (forms: their Left/Top plus the frame).
  bool ContainsPoint(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // ---- appearance ----
  const std::string& Text() const { return text_; }
  void SetText(std::string_view t);
  const TFontRec& Font() const { return font_; }
  void SetFont(const TFontRec& f);
  void SetFontStyle(uint8_t style);
  uint32_t Color() const { return color_; }
  void SetColor(uint32_t c);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  int32_t Cursor() const { return cursor_; }
  void SetCursor(int32_t c);
  uint32_t Style() const { return style_; }
  uint32_t ExStyle() const { return exStyle_; }
  void SetStyle(uint32_t style, uint32_t exStyle);
  uint8_t Alignment() const { return alignment_; }
  void SetAlignment(uint8_t a);
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  uint8_t Alpha() const { return alpha_; }
  void SetAlpha(uint8_t a);
  uint8_t WindowState() const { return windowState_; }
  void SetWindowState(uint8_t s);
  // A top window's icon: the name of the program's icon resource ("" is "MAINICON").
  const std::string& Icon() const { return icon_; }
  void SetIcon(std::string_view name);
  // Docking in the parent's client area: 0 none, 1 top, 2 bottom, 3 left, 4 right, 5 fill.
  uint8_t Align() const { return align_; }
  void SetAlign(uint8_t a);
  // Lays out the docked children again (after a size change).
  void Realign();
  uint8_t EdgeStyle() const { return edgeStyle_; }  // panels: 1 thin sunken border
  void SetEdgeStyle(uint8_t e);
  // True while the visible state is really on screen: this and every ancestor visible.
  bool Showing() const;

  // ---- z-order ----
  void BringToFront();  // front of the siblings; shown
  void SendToBack();
  // The deepest visible, enabled child at (x, y) of this client area, or this. Group boxes
  // let the mouse through to what lies beneath them.
  TControl* ChildAt(int x, int y);
  // Like ChildAt, but nullptr when the point falls through (group box area).
  TControl* HitTest(int x, int y);
  // Position of this control's top-left corner in the client area of top (or of its top
  // window when top is nullptr).
  void OriginIn(const TControl* top, int& x, int& y) const;

  // ---- radio buttons ----
  bool Checked() const { return checked_; }
  void SetChecked(bool c);
  // Checks the radio button with id check and unchecks every other radio child whose id lies
  // in [first, last] (CheckRadioButton).
  void CheckRadioButton(int first, int last, int check);
  int FirstRadioId() const { return firstRadio_; }
  int LastRadioId() const { return lastRadio_; }

  // ---- combo box ----
  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  std::string Item(int i) const;
  int32_t ItemData(int i) const;
  int AddItem(std::string_view text, int32_t data = 0);  // index of the new item
  void SetItem(int i, std::string_view text);
  void ClearItems();
  bool Sorted() const { return sorted_; }
  void SetSorted(bool s) { sorted_ = s; }
  // A drop-down with an edit field (CBS_DROPDOWN) rather than a plain list (CBS_DROPDOWNLIST).
  bool Editable() const { return editable_; }
  void SetEditable(bool e);
  int ItemIndex() const { return itemIndex_; }  // -1: none
  void SetItemIndex(int i);                     // out of range: none
  // First item (from 0) equal to text, or starting with it when prefix; ASCII letter case
  // ignored. -1 when none.
  int FindItem(std::string_view text, bool prefix) const;

  // ---- tool tip ----
  // The tool tip of this control, created on first use and owned by it.
  TControl* ToolTip();
  TControl* ToolTipIfAny() const { return tip_; }
  void RemoveToolTip();
  const TToolTipInfo& TipInfo() const { return tipInfo_; }
  void SetTipInfo(const TToolTipInfo& info);  // on a ToolTip control
  bool TipShown() const { return tipShown_; }
  void SetTipShown(bool s) { tipShown_ = s; }  // backends report what they show
  // A tracking tip (TipInfo().Tracking) shows while its tracking is on, at the tracked point of
  // its owner's client area, and follows that point (TTM_TRACKACTIVATE, TTM_TRACKPOSITION). A
  // tip without Tracking ignores both and stays with the hover timing.
  bool TrackActive() const { return trackActive_; }
  int TrackX() const { return trackX_; }
  int TrackY() const { return trackY_; }
  void SetTrackActive(bool on);
  void SetTrackPosition(int x, int y);

  // ---- modal forms ----
  // Shows this form modal: every other enabled form under the same application window is
  // disabled, so the user's input reaches none of them, and the form takes the focus. Nothing
  // for a control that is not a form or a form already modal. The caller is not held: the end
  // comes as the listener's CtlModalEnd.
  void ShowModal();
  bool Modal() const { return modal_; }
  // 0 while the modal show goes on. A non-zero result ends it: the form hides, the forms it
  // disabled are enabled again (the focus goes back to the first of them) and the listener
  // hears CtlModalEnd. Closing a modal form (by default) sets -1.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result);
  // True when user input may reach this control: it shows and neither it nor a window above it
  // is disabled.
  bool InputEnabled() const;

  // ---- focus and input services ----
  void SetFocus();
  bool Focused() const;
  void SetCapture();
  void ReleaseCapture();
  // Keyboard handling on a top window: Tab moves the focus among tab stops, Shift+Tab
  // backwards; the radio buttons of one parent with the same tab position are one stop (the
  // checked one takes the focus). Arrows move between those buttons and through a combo's
  // items, Space and Enter click a focused button or label. A keyboard focus move looks to
  // the elements like the mouse going there: the old window is left, its parent gets a move,
  // the new window gets a move at its centre.
  bool TabNavigation() const { return tabNavigation_; }
  void SetTabNavigation(bool on) { tabNavigation_ = on; }
  // True when a key goes to the top window's keyboard handling before the window itself.
  bool KeyNavigates(int key) const;
  // Ctrl+C and Ctrl+V pressed anywhere in this top window go to handler, not to the focused
  // window (an empty handler: they go on as other keys).
  void SetEditShortcuts(std::function<void(TEditShortcut)> handler);
  // True when key with Ctrl held is an edit shortcut the top window takes.
  bool TakesShortcut(int key, bool ctrl) const;
  // Text extent in this control's font (single line).
  TSize MeasureText(std::string_view text) const;
  // Moves a form with the mouse as if its caption were dragged (WM_SYSCOMMAND SC_MOVE|2).
  void BeginSystemMove();

  // Sends a click to this control (BM_CLICK): the same path as a user click.
  void Click() { NotifyClick(); }
  // Asks a top window to close (WM_CLOSE). asked: the user's request; false: no questions.
  // True when the window closed (a modal form: hidden, with the modal result -1).
  bool Close(bool asked = true) { return NotifyClose(asked); }

  // ---- notification entry points, called by backends ----
  void NotifyMouseDown(const TMouseInfo& m);
  void NotifyMouseMove(const TMouseInfo& m);
  void NotifyMouseUp(const TMouseInfo& m);
  void NotifyMouseWheel(const TMouseInfo& m);
  void NotifyMouseHover();
  void NotifyMouseLeave();
  void NotifyKeyDown(int key, bool shift = false, bool ctrl = false);
  void NotifyKeyUp(int key);
  void NotifyChar(std::string_view text);
  void NotifyFocus(bool gained);
  void NotifyMoved(int left, int top);
  void NotifyResized(int width, int height);
  void NotifyActivate(bool active);
  void NotifyShow(bool shown);
  bool NotifyClose(bool asked);
  void NotifyClick();
  void NotifySelChange(int index);

  // ---- assistive technology ----
  // The role: the one set, else the kind's (a group box is a group, a label static text).
  TAccessRole AccessRole() const;
  void SetAccessRole(TAccessRole role);
  // The controls whose texts, joined by a space, name this one (empty: its own text). A
  // control may name itself among them; a label control that is deleted drops out.
  const std::vector<TControl*>& AccessLabels() const { return accessLabels_; }
  void SetAccessLabels(std::vector<TControl*> labels);
  // A longer text computed on demand (what a choice would change); without one, the text of
  // the control's tool tip.
  void SetAccessDescription(std::function<std::string()> provider);
  // Role, name, state and description as they are now.
  TAccessInfo Access() const;

  // Number of TControl objects alive (leak checks in tests).
  static int LiveCount();

 private:
  void Changed(uint32_t what);
  void Detach();
  TControl* TabTarget(bool backwards);
  TControl* NavigationRoot();
  TControl* ArrowTarget(bool backwards);
  void FocusByKeyboard(TControl* target);
  void CollectStops(std::vector<TControl*>& stops);

  TControlKind kind_;
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  int id_ = 0;
  int nextId_ = 1;
  void* native_ = nullptr;
  TControlListener* listener_ = nullptr;

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string text_;
  TFontRec font_;
  uint32_t color_ = clBtnFace;
  bool visible_ = false;
  bool enabled_ = true;
  int32_t cursor_ = 0;
  uint32_t style_ = 0, exStyle_ = 0;
  uint8_t alignment_ = taLeft;
  int tabOrder_ = 0;
  uint8_t alpha_ = 255;
  uint8_t windowState_ = wsNormal;
  std::string icon_;
  uint8_t edgeStyle_ = 0;
  uint8_t align_ = 0;
  bool aligning_ = false;
  bool tabNavigation_ = false;
  std::function<void(TEditShortcut)> editShortcuts_;
  bool dying_ = false;  // inside the destructor: the tree walks skip it

  bool checked_ = false;
  int firstRadio_ = 0, lastRadio_ = 0;

  std::vector<std::string> items_;
  std::vector<int32_t> itemData_;
  int itemIndex_ = -1;
  bool sorted_ = false;
  bool editable_ = false;

  TAccessRole accessRole_ = TAccessRole::None;
  bool accessRoleSet_ = false;
  std::vector<TControl*> accessLabels_;
  std::function<std::string()> accessDescription_;

  TControl* tip_ = nullptr;  // owned
  TToolTipInfo tipInfo_;
  bool tipShown_ = false;
  bool trackActive_ = false;
  int trackX_ = 0, trackY_ = 0;

  void EndModal(bool notify);
  bool modal_ = false;
  int modalResult_ = 0;
  std::vector<TControl*> modalDisabled_;  // the forms this modal show disabled
};
