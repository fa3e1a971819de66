#include "ui/control.h"

#include <algorithm>

#include "ui/backend.h"

namespace {

int g_live = 0;
// The forms shown modal now, oldest first.
std::vector<TControl*> g_modal;
// Controls named by other controls' texts: a deleted label leaves their lists.
std::vector<TControl*> g_labelled;

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace

uint32_t ResolveColor(uint32_t c) {
  if (!IsSystemColor(c)) return c & 0x00FFFFFFu;
  // The classic scheme's defaults (GetSysColor on a standard desktop).
  static const uint32_t table[31] = {
      0xC8D0D4, 0x000000, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
      0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xF0F0F0,
      0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
      0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xC56A31, 0xF0F0F0};
  uint32_t i = c & 0xFF;
  return i < 31 ? table[i] : 0;
}

int TControl::LiveCount() {
  return g_live;
}

TControl::TControl(TControlKind kind, TControl* parent) : kind_(kind), parent_(parent) {
  ++g_live;
  if (kind_ == TControlKind::Form) visible_ = false;
  if (kind_ == TControlKind::ComboBox) color_ = clWindow;
  if (kind_ == TControlKind::ToolTip) color_ = clInfoBk;
  if (parent_) {
    id_ = parent_->nextId_++;
    parent_->children_.push_back(this);  // new windows go to the back
    if (kind_ != TControlKind::Form && kind_ != TControlKind::ToolTip) visible_ = true;
    if (kind_ == TControlKind::RadioButton) {
      if (parent_->firstRadio_ == 0) {
        parent_->firstRadio_ = id_;
        checked_ = true;
      }
      parent_->lastRadio_ = id_;
    }
  }
}

TControl::~TControl() {
  --g_live;
  dying_ = true;
  g_labelled.erase(std::remove(g_labelled.begin(), g_labelled.end(), this), g_labelled.end());
  for (TControl* c : g_labelled) {
    auto& l = c->accessLabels_;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
  }
  listener_ = nullptr;
  if (modal_) EndModal(false);
  for (TControl* m : g_modal)
    std::erase(m->modalDisabled_, this);
  if (tip_) {
    TControl* t = tip_;
    tip_ = nullptr;
    delete t;
  }
  DestroyWindow();
  // Children outlive a destroyed parent as orphans; their owners delete them.
  for (TControl* c : children_)
    c->parent_ = nullptr;
  children_.clear();
  Detach();
}

void TControl::Detach() {
  if (!parent_) return;
  auto& sib = parent_->children_;
  sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
  if (parent_->tip_ == this) parent_->tip_ = nullptr;
  parent_ = nullptr;
}

TControl* TControl::TopWindow() {
  TControl* c = this;
  while (c && !c->IsTopLevel())
    c = c->parent_;
  return c ? c : this;
}

// ---- native window ----

void TControl::CreateWindow() {
  if (native_ || dying_) return;
  if (parent_ && !parent_->native_) parent_->CreateWindow();
  if (parent_ && !parent_->native_) return;
  Backend().CreateNative(*this);
}

void TControl::CreateWindowTree() {
  CreateWindow();
  // Copy: creating a window may not change the list, but stay safe.
  std::vector<TControl*> kids = children_;
  for (TControl* c : kids)
    c->CreateWindowTree();
}

void TControl::DestroyWindow() {
  // A modal form that loses its window ends its modal show without a word: the windows around it
  // may be going too.
  if (modal_ && native_) EndModal(false);
  std::vector<TControl*> kids = children_;
  for (TControl* c : kids)
    c->DestroyWindow();
  if (native_) Backend().DestroyNative(*this);
  native_ = nullptr;
}

void TControl::Changed(uint32_t what) {
  if (native_) Backend().Apply(*this, what);
}

// ---- geometry ----

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(chBounds);
  Realign();
  if (parent_ && align_) parent_->Realign();
}

void TControl::SetAlign(uint8_t a) {
  if (a > 5) a = 0;
  align_ = a;
  if (parent_) parent_->Realign();
}

void TControl::Realign() {
  if (aligning_) return;
  aligning_ = true;
  TSize cs = ClientSize();
  int l = 0, t = 0, r = cs.Width, b = cs.Height;
  // Docked children take their strips in creation order; the fill one takes what is left.
  std::vector<TControl*> kids = children_;
  std::sort(kids.begin(), kids.end(), [](TControl* x, TControl* y) { return x->id_ < y->id_; });
  for (TControl* c : kids) {
    if (!c->visible_) continue;
    switch (c->align_) {
      case 1:
        c->SetBounds(l, t, r - l, c->height_);
        t += c->height_;
        break;
      case 2:
        c->SetBounds(l, b - c->height_, r - l, c->height_);
        b -= c->height_;
        break;
      case 3:
        c->SetBounds(l, t, c->width_, b - t);
        l += c->width_;
        break;
      case 4:
        c->SetBounds(r - c->width_, t, c->width_, b - t);
        r -= c->width_;
        break;
      default:
        break;
    }
  }
  for (TControl* c : kids)
    if (c->align_ == 5) c->SetBounds(l, t, std::max(0, r - l), std::max(0, b - t));
  aligning_ = false;
}

TSize TControl::ClientSize() const {
  if (kind_ != TControlKind::Form) return TSize{width_, height_};
  TSize extra = Backend().FrameExtra(*this);
  return TSize{std::max(0, width_ - extra.Width), std::max(0, height_ - extra.Height)};
}

void TControl::SetClientSize(int width, int height) {
  TSize extra = kind_ == TControlKind::Form ? Backend().FrameExtra(*this) : TSize{};
  SetSize(width + extra.Width, height + extra.Height);
}

// ---- appearance ----

void TControl::SetText(std::string_view t) {
  if (t == text_) return;
  text_.assign(t.data(), t.size());
  Changed(chText);
}

void TControl::SetFont(const TFontRec& f) {
  if (f == font_) return;
  font_ = f;
  Changed(chFont);
}

void TControl::SetFontStyle(uint8_t style) {
  TFontRec f = font_;
  f.Style = style;
  SetFont(f);
}

void TControl::SetColor(uint32_t c) {
  if (c == color_) return;
  color_ = c;
  Changed(chColor);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(chVisible);
  if (align_ && parent_) parent_->Realign();
}

void TControl::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  Changed(chEnabled);
}

void TControl::SetCursor(int32_t c) {
  if (c == cursor_) return;
  cursor_ = c;
  Changed(chCursor);
}

void TControl::SetStyle(uint32_t style, uint32_t exStyle) {
  if (style == style_ && exStyle == exStyle_) return;
  style_ = style;
  exStyle_ = exStyle;
  Changed(chStyle);
}

void TControl::SetAlignment(uint8_t a) {
  if (a > taCenter) a = taLeft;
  if (a == alignment_) return;
  alignment_ = a;
  Changed(chAlignment);
}

void TControl::SetTabOrder(int order) {
  tabOrder_ = order;
  uint32_t s = order > 0 ? (style_ | ws::TabStop) : (style_ & ~ws::TabStop);
  if (IsTopLevel()) s = style_;  // the bit means the maximise box there
  SetStyle(s, exStyle_);
}

void TControl::SetAlpha(uint8_t a) {
  if (a == alpha_) return;
  alpha_ = a;
  Changed(chAlpha);
}

void TControl::SetIcon(std::string_view name) {
  if (name == icon_) return;
  icon_.assign(name);
  Changed(chIcon);
}

void TControl::SetWindowState(uint8_t s) {
  if (s > wsMaximized || s == windowState_) return;
  windowState_ = s;
  Changed(chWindowState);
}

void TControl::SetEdgeStyle(uint8_t e) {
  if (e == edgeStyle_) return;
  edgeStyle_ = e;
  Changed(chStyle);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (c->kind_ == TControlKind::Application) return true;
    if (!c->visible_) return false;
  }
  return true;
}

// ---- z-order ----

void TControl::BringToFront() {
  if (parent_) {
    auto& sib = parent_->children_;
    sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
    sib.insert(sib.begin(), this);
    if (native_) Backend().Restack(*this, true);
  }
  SetVisible(true);
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& sib = parent_->children_;
  sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
  sib.push_back(this);
  if (native_) Backend().Restack(*this, false);
}

TControl* TControl::HitTest(int x, int y) {
  for (TControl* c : children_) {
    if (c->kind_ == TControlKind::ToolTip || c->kind_ == TControlKind::Form) continue;
    if (!c->visible_ || !c->enabled_ || c->dying_) continue;
    int cx = x - c->left_, cy = y - c->top_;
    if (!c->ContainsPoint(cx, cy)) continue;
    if (TControl* h = c->HitTest(cx, cy)) return h;
  }
  // A group box lets the mouse through to what lies beneath it (HTTRANSPARENT).
  return kind_ == TControlKind::GroupBox ? nullptr : this;
}

TControl* TControl::ChildAt(int x, int y) {
  TControl* h = HitTest(x, y);
  return h ? h : this;
}

void TControl::OriginIn(const TControl* top, int& x, int& y) const {
  x = 0;
  y = 0;
  for (const TControl* c = this; c && c != top && !c->IsTopLevel(); c = c->parent_) {
    x += c->left_;
    y += c->top_;
  }
}

// ---- radio buttons ----

void TControl::SetChecked(bool c) {
  if (c == checked_) return;
  checked_ = c;
  Changed(chCheck);
}

void TControl::CheckRadioButton(int first, int last, int check) {
  std::vector<TControl*> kids = children_;
  for (TControl* c : kids) {
    if (c->kind_ != TControlKind::RadioButton) continue;
    if (c->id_ == check)
      c->SetChecked(true);
    else if (c->id_ >= first && c->id_ <= last)
      c->SetChecked(false);
  }
}

// ---- combo box ----

std::string TControl::Item(int i) const {
  return (i >= 0 && i < ItemCount()) ? items_[static_cast<size_t>(i)] : std::string();
}

int32_t TControl::ItemData(int i) const {
  return (i >= 0 && i < ItemCount()) ? itemData_[static_cast<size_t>(i)] : -1;
}

int TControl::AddItem(std::string_view text, int32_t data) {
  size_t pos = items_.size();
  if (sorted_) {
    // Sorted lists insert before the first item that compares greater, letter case ignored.
    pos = 0;
    while (pos < items_.size()) {
      const std::string& s = items_[pos];
      bool greater = std::lexicographical_compare(
          text.begin(), text.end(), s.begin(), s.end(),
          [](char a, char b) { return LowerAscii(a) < LowerAscii(b); });
      if (greater) break;
      ++pos;
    }
  }
  items_.insert(items_.begin() + static_cast<long>(pos), std::string(text));
  itemData_.insert(itemData_.begin() + static_cast<long>(pos), data);
  if (itemIndex_ >= static_cast<int>(pos)) ++itemIndex_;
  Changed(chItems | chSelection);
  return static_cast<int>(pos);
}

void TControl::SetItem(int i, std::string_view text) {
  if (i < 0 || i >= ItemCount()) return;
  items_[static_cast<size_t>(i)] = std::string(text);
  Changed(chItems | chSelection);
}

void TControl::ClearItems() {
  if (items_.empty() && itemIndex_ == -1) return;
  items_.clear();
  itemData_.clear();
  itemIndex_ = -1;
  Changed(chItems | chSelection);
}

void TControl::SetEditable(bool e) {
  if (e == editable_) return;
  editable_ = e;
  Changed(chStyle);
}

void TControl::SetItemIndex(int i) {
  if (i < 0 || i >= ItemCount()) i = -1;
  if (i == itemIndex_) return;
  itemIndex_ = i;
  Changed(chSelection);
}

int TControl::FindItem(std::string_view text, bool prefix) const {
  for (int i = 0; i < ItemCount(); ++i) {
    std::string_view s = items_[static_cast<size_t>(i)];
    if (prefix) {
      if (s.size() >= text.size() && EqualNoCase(s.substr(0, text.size()), text)) return i;
    } else if (EqualNoCase(s, text)) {
      return i;
    }
  }
  return -1;
}

// ---- tool tip ----

TControl* TControl::ToolTip() {
  if (kind_ == TControlKind::ToolTip) return this;
  if (!tip_) {
    tip_ = new TControl(TControlKind::ToolTip, this);
    tip_->exStyle_ = wsex::TopMost;
    if (native_) tip_->CreateWindow();
  }
  return tip_;
}

void TControl::RemoveToolTip() {
  if (!tip_) return;
  TControl* t = tip_;
  tip_ = nullptr;
  delete t;
}

void TControl::SetTipInfo(const TToolTipInfo& info) {
  tipInfo_ = info;
  Changed(chTip);
}

void TControl::SetTrackActive(bool on) {
  if (kind_ != TControlKind::ToolTip || !tipInfo_.Tracking || on == trackActive_) return;
  trackActive_ = on;
  Changed(chTrack);
}

void TControl::SetTrackPosition(int x, int y) {
  if (kind_ != TControlKind::ToolTip || !tipInfo_.Tracking) return;
  if (x == trackX_ && y == trackY_) return;
  trackX_ = x;
  trackY_ = y;
  if (trackActive_) Changed(chTrack);
}

// ---- modal forms ----

namespace {

void CollectForms(TControl* c, const TControl* except, std::vector<TControl*>& out) {
  for (TControl* k : c->Children()) {
    if (k == except) continue;
    if (k->Kind() == TControlKind::Form) out.push_back(k);
    CollectForms(k, except, out);
  }
}

}  // namespace

void TControl::ShowModal() {
  if (kind_ != TControlKind::Form || modal_ || dying_) return;
  TControl* root = this;
  while (root->parent_)
    root = root->parent_;
  // The owner first: it gets the focus back at the end.
  std::vector<TControl*> forms;
  if (parent_ && parent_->kind_ == TControlKind::Form) forms.push_back(parent_);
  CollectForms(root, this, forms);
  modalDisabled_.clear();
  for (TControl* f : forms)
    if (f->enabled_ &&
        std::find(modalDisabled_.begin(), modalDisabled_.end(), f) == modalDisabled_.end()) {
      modalDisabled_.push_back(f);
      f->SetEnabled(false);
    }
  modal_ = true;
  modalResult_ = 0;
  g_modal.push_back(this);
  SetVisible(true);
  CreateWindowTree();
  BringToFront();  // in front of the forms it disables
  SetFocus();
}

void TControl::SetModalResult(int result) {
  modalResult_ = result;
  if (modal_ && result != 0) EndModal(true);
}

void TControl::EndModal(bool notify) {
  modal_ = false;
  std::erase(g_modal, this);
  std::vector<TControl*> disabled;
  disabled.swap(modalDisabled_);
  if (!dying_) SetVisible(false);
  for (TControl* f : disabled)
    f->SetEnabled(true);
  if (!dying_ && !disabled.empty() && disabled.front()->Showing()) disabled.front()->SetFocus();
  if (notify && listener_) listener_->CtlModalEnd(*this, modalResult_);
}

bool TControl::InputEnabled() const {
  if (!Showing()) return false;
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->enabled_) return false;
    if (c->IsTopLevel()) break;
  }
  return true;
}

// ---- assistive technology ----

const char* AccessRoleName(TAccessRole role) {
  static const char* const names[] = {"none",  "hidden",       "window", "dialog",
                                      "group", "radio button", "button", "item",
                                      "alert", "combo box",    "text",   "tool tip"};
  auto i = static_cast<size_t>(role);
  return i < sizeof names / sizeof *names ? names[i] : "none";
}

TAccessRole TControl::AccessRole() const {
  if (accessRoleSet_) return accessRole_;
  switch (kind_) {
    case TControlKind::Form:
      return TAccessRole::Window;
    case TControlKind::Label:
      return TAccessRole::Text;
    case TControlKind::RadioButton:
      return TAccessRole::RadioButton;
    case TControlKind::GroupBox:
      return TAccessRole::Group;
    case TControlKind::ComboBox:
      return TAccessRole::ComboBox;
    case TControlKind::ToolTip:
      return TAccessRole::ToolTip;
    default:
      return TAccessRole::None;
  }
}

void TControl::SetAccessRole(TAccessRole role) {
  if (accessRoleSet_ && role == accessRole_) return;
  accessRole_ = role;
  accessRoleSet_ = true;
  Changed(chAccess);
}

void TControl::SetAccessLabels(std::vector<TControl*> labels) {
  accessLabels_ = std::move(labels);
  auto at = std::find(g_labelled.begin(), g_labelled.end(), this);
  if (accessLabels_.empty() && at != g_labelled.end()) g_labelled.erase(at);
  if (!accessLabels_.empty() && at == g_labelled.end()) g_labelled.push_back(this);
  Changed(chAccess);
}

void TControl::SetAccessDescription(std::function<std::string()> provider) {
  accessDescription_ = std::move(provider);
}

TAccessInfo TControl::Access() const {
  TAccessInfo a;
  a.Role = AccessRole();
  if (accessLabels_.empty()) {
    a.Name = kind_ == TControlKind::ToolTip ? tipInfo_.Text : text_;
  } else {
    for (const TControl* l : accessLabels_) {
      if (l->text_.empty()) continue;
      if (!a.Name.empty()) a.Name += ' ';
      a.Name += l->text_;
    }
  }
  if (accessDescription_)
    a.Description = accessDescription_();
  else if (tip_ && kind_ != TControlKind::ToolTip)
    a.Description = tip_->tipInfo_.Text;
  a.Checkable = a.Role == TAccessRole::RadioButton;
  a.Checked = a.Checkable && checked_;
  if (kind_ == TControlKind::ComboBox) a.Value = editable_ ? text_ : Item(itemIndex_);
  a.Enabled = enabled_;
  a.Showing = kind_ == TControlKind::ToolTip ? tipShown_ : Showing();
  a.Focusable = tabOrder_ > 0 || kind_ == TControlKind::ComboBox;
  return a;
}

std::vector<std::string> AccessItemNames(const TControl& root) {
  std::vector<std::string> out;
  std::function<void(const TControl&)> walk = [&](const TControl& c) {
    if (!c.Visible() && c.Kind() != TControlKind::Application) return;
    if (c.AccessRole() == TAccessRole::Item) out.push_back(c.Access().Name);
    std::vector<TControl*> kids = c.Children();
    std::sort(kids.begin(), kids.end(), [](TControl* x, TControl* y) { return x->Id() < y->Id(); });
    for (const TControl* k : kids)
      walk(*k);
  };
  walk(root);
  return out;
}

std::string AccessChanges(const std::vector<std::string>& before,
                          const std::vector<std::string>& after) {
  std::string out;
  for (const std::string& name : after) {
    if (std::find(before.begin(), before.end(), name) != before.end()) continue;
    if (!out.empty()) out += ", ";
    out += name;
  }
  return out;
}

// ---- focus and services ----

void TControl::SetFocus() {
  if (native_ && !dying_) Backend().SetFocus(*this);
}

bool TControl::Focused() const {
  return native_ && Backend().FocusedControl() == this;
}

void TControl::SetCapture() {
  if (native_) Backend().SetCapture(this);
}

void TControl::ReleaseCapture() {
  Backend().SetCapture(nullptr);
}

TSize TControl::MeasureText(std::string_view text) const {
  return Backend().MeasureText(*this, text);
}

void TControl::BeginSystemMove() {
  if (native_) Backend().BeginSystemMove(*this);
}

// ---- notifications ----

void TControl::NotifyMouseDown(const TMouseInfo& m) {
  if (listener_) listener_->CtlMouseDown(*this, m);
}

void TControl::NotifyMouseMove(const TMouseInfo& m) {
  if (listener_) listener_->CtlMouseMove(*this, m);
}

void TControl::NotifyMouseUp(const TMouseInfo& m) {
  if (listener_) listener_->CtlMouseUp(*this, m);
}

void TControl::NotifyMouseWheel(const TMouseInfo& m) {
  if (listener_) listener_->CtlMouseWheel(*this, m);
}

void TControl::NotifyMouseHover() {
  if (listener_) listener_->CtlMouseHover(*this);
}

// A control whose tree is being deleted hears no leave: the elements around it may be gone.
void TControl::NotifyMouseLeave() {
  for (const TControl* p = parent_; p; p = p->parent_)
    if (p->dying_) return;
  if (listener_) listener_->CtlMouseLeave(*this);
}

namespace {

bool IsArrow(int key) {
  return key == vkLeft || key == vkUp || key == vkRight || key == vkDown;
}

bool Reachable(const TControl* k) {
  return k->Kind() != TControlKind::ToolTip && k->Kind() != TControlKind::Form && k->Visible() &&
         k->Enabled();
}

// Radio buttons that Tab treats as one stop: same parent, same tab position.
bool SameRadioSet(const TControl* a, const TControl* b) {
  return a->Kind() == TControlKind::RadioButton && b->Kind() == TControlKind::RadioButton &&
         a->Parent() == b->Parent() && a->TabOrder() == b->TabOrder();
}

}  // namespace

void TControl::CollectStops(std::vector<TControl*>& stops) {
  // A visible window that fills its parent hides the siblings behind it (z-order is front
  // first); the stops are then gathered in creation order.
  std::vector<TControl*> open;
  for (TControl* k : children_) {
    if (k->dying_ || !Reachable(k)) continue;
    open.push_back(k);
    if (k->align_ == 5) break;
  }
  std::sort(open.begin(), open.end(), [](TControl* x, TControl* y) { return x->id_ < y->id_; });
  for (TControl* k : open) {
    if (k->tabOrder_ > 0) stops.push_back(k);
    k->CollectStops(stops);
  }
}

TControl* TControl::TabTarget(bool backwards) {
  std::vector<TControl*> all;
  CollectStops(all);
  std::stable_sort(all.begin(), all.end(),
                   [](TControl* a, TControl* b) { return a->tabOrder_ < b->tabOrder_; });
  TControl* focused = Backend().FocusedControl();
  // One entry per radio set: the focused button, else the checked one, else the first.
  std::vector<TControl*> stops;
  for (TControl* c : all) {
    auto same =
        std::find_if(stops.begin(), stops.end(), [c](TControl* s) { return SameRadioSet(s, c); });
    if (same == stops.end()) {
      stops.push_back(c);
    } else if (*same != focused && (c == focused || (c->checked_ && !(*same)->checked_))) {
      *same = c;
    }
  }
  if (stops.empty()) return nullptr;
  auto it = std::find(stops.begin(), stops.end(), focused);
  if (it == stops.end()) return backwards ? stops.back() : stops.front();
  size_t i = static_cast<size_t>(it - stops.begin());
  size_t n = stops.size();
  return stops[backwards ? (i + n - 1) % n : (i + 1) % n];
}

TControl* TControl::ArrowTarget(bool backwards) {
  if (!parent_) return nullptr;
  std::vector<TControl*> set;
  for (TControl* k : parent_->children_)
    if (!k->dying_ && Reachable(k) && SameRadioSet(k, this)) set.push_back(k);
  std::sort(set.begin(), set.end(), [](TControl* x, TControl* y) { return x->id_ < y->id_; });
  auto it = std::find(set.begin(), set.end(), this);
  if (it == set.end()) return nullptr;
  size_t i = static_cast<size_t>(it - set.begin());
  size_t n = set.size();
  return set[backwards ? (i + n - 1) % n : (i + 1) % n];
}

TControl* TControl::NavigationRoot() {
  for (TControl* c = this; c; c = c->parent_)
    if (c->tabNavigation_) return c;
  return nullptr;
}

bool TControl::KeyNavigates(int key) const {
  if (!const_cast<TControl*>(this)->NavigationRoot()) return false;
  if (key == vkTab) return true;
  if (IsArrow(key))
    return (kind_ == TControlKind::RadioButton && tabOrder_ > 0) || kind_ == TControlKind::ComboBox;
  if (key == vkSpace || key == vkReturn)
    return kind_ == TControlKind::RadioButton || kind_ == TControlKind::Label;
  return false;
}

void TControl::SetEditShortcuts(std::function<void(TEditShortcut)> handler) {
  editShortcuts_ = std::move(handler);
}

bool TControl::TakesShortcut(int key, bool ctrl) const {
  if (!ctrl || (key != vkC && key != vkV)) return false;
  const TControl* top = const_cast<TControl*>(this)->TopWindow();
  return top && top->editShortcuts_;
}

void TControl::FocusByKeyboard(TControl* target) {
  if (!target || target->dying_) return;
  TControl* old = Backend().FocusedControl();
  if (old == target) return;
  target->SetFocus();
  if (!target->Focused()) return;
  // The mouse would leave the old window over its parent (group boxes let it through) ...
  if (old && old != target->TopWindow() && !old->dying_ && old->native_) {
    old->NotifyMouseLeave();
    TControl* bare = old->parent_;
    while (bare && bare->kind_ == TControlKind::GroupBox)
      bare = bare->parent_;
    if (bare && bare->native_) bare->NotifyMouseMove(TMouseInfo{});
  }
  // ... and come to rest on the new one.
  if (target->native_ && target->Focused()) {
    TMouseInfo m;
    m.X = target->width_ / 2;
    m.Y = target->height_ / 2;
    target->NotifyMouseMove(m);
  }
}

void TControl::NotifyKeyDown(int key, bool shift, bool ctrl) {
  if (dying_) return;
  if (TakesShortcut(key, ctrl)) {
    // The handler may rebuild the window's contents: call a copy.
    auto handler = TopWindow()->editShortcuts_;
    return handler(key == vkC ? TEditShortcut::Copy : TEditShortcut::Paste);
  }
  if (KeyNavigates(key)) {
    if (key == vkTab) return FocusByKeyboard(NavigationRoot()->TabTarget(shift));
    bool back = key == vkLeft || key == vkUp;
    if (kind_ == TControlKind::RadioButton && IsArrow(key))
      return FocusByKeyboard(ArrowTarget(back));
    if (kind_ == TControlKind::ComboBox) {
      // A drop-down list steps through its items; each step is a pick.
      int next = itemIndex_ < 0 ? 0 : itemIndex_ + (back ? -1 : 1);
      if (next >= 0 && next < ItemCount() && next != itemIndex_) NotifySelChange(next);
      return;
    }
  }
  if (listener_) listener_->CtlKeyDown(*this, key);
  // Space and Enter click a button or a label as the mouse does.
  if (!dying_ && native_ && (key == vkSpace || key == vkReturn) && KeyNavigates(key)) NotifyClick();
}

void TControl::NotifyKeyUp(int key) {
  if (listener_) listener_->CtlKeyUp(*this, key);
}

void TControl::NotifyChar(std::string_view text) {
  if (listener_) listener_->CtlChar(*this, text);
}

void TControl::NotifyFocus(bool gained) {
  if (listener_) listener_->CtlFocus(*this, gained);
}

void TControl::NotifyMoved(int left, int top) {
  left_ = left;
  top_ = top;
  if (listener_) listener_->CtlMoved(*this);
}

void TControl::NotifyResized(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  Realign();
  if (listener_) listener_->CtlResized(*this);
}

void TControl::NotifyActivate(bool active) {
  if (listener_) listener_->CtlActivate(*this, active);
}

void TControl::NotifyShow(bool shown) {
  if (listener_) listener_->CtlShow(*this, shown);
}

bool TControl::NotifyClose(bool asked) {
  if (listener_ && !listener_->CtlClose(*this, asked)) return false;
  // Default handling: a modal form ends its modal show; another window goes away (the object
  // stays with its owner).
  if (modal_) {
    SetModalResult(-1);
    return true;
  }
  visible_ = false;
  DestroyWindow();
  return true;
}

void TControl::NotifyClick() {
  if (listener_) listener_->CtlClick(*this);
}

void TControl::NotifySelChange(int index) {
  if (index < 0 || index >= ItemCount()) index = -1;
  itemIndex_ = index;  // the native list shows it already
  if (listener_) listener_->CtlSelChange(*this);
}
