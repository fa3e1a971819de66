#include "ui/backends/web/backend_web.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/backends/web/web_css.h"
#include "ui/backends/web/web_kinds.h"

// ---- the page (dom.js) ----

// clang-format off
EM_JS(void, hs_dom_create, (int id, int kind, int parent), { HsDom.create(id, kind, parent); });
EM_JS(void, hs_dom_destroy, (int id), { HsDom.destroy(id); });
EM_JS(void, hs_dom_bounds, (int id, int l, int t, int w, int h, int inset),
      { HsDom.bounds(id, l, t, w, h, inset); });
EM_JS(void, hs_dom_text, (int id, const char* text), { HsDom.text(id, UTF8ToString(text)); });
EM_JS(void, hs_dom_font, (int id, const char* font, const char* color, const char* back,
                          const char* decoration, int height),
      { HsDom.font(id, UTF8ToString(font), UTF8ToString(color), UTF8ToString(back),
                   UTF8ToString(decoration), height); });
EM_JS(void, hs_dom_align, (int id, const char* align), { HsDom.align(id, UTF8ToString(align)); });
EM_JS(void, hs_dom_edge, (int id, int on), { HsDom.edge(id, on); });
EM_JS(void, hs_dom_visible, (int id, int on), { HsDom.visible(id, on); });
EM_JS(void, hs_dom_opacity, (int id, int alpha), { HsDom.opacity(id, alpha); });
EM_JS(void, hs_dom_enabled, (int id, int on), { HsDom.enabled(id, on); });
EM_JS(void, hs_dom_cursor, (int id, const char* c), { HsDom.cursor(id, UTF8ToString(c)); });
EM_JS(void, hs_dom_check, (int id, int on), { HsDom.check(id, on); });
EM_JS(void, hs_dom_items, (int id, const char* joined, int selected),
      { HsDom.items(id, UTF8ToString(joined), selected); });
EM_JS(void, hs_dom_select, (int id, int selected), { HsDom.select(id, selected); });
EM_JS(void, hs_dom_restack, (int id, int toFront), { HsDom.restack(id, toFront); });
EM_JS(void, hs_dom_focus, (int id), { HsDom.focus(id); });
EM_JS(void, hs_dom_tip, (int id, const char* title, const char* text, int icon, const char* color,
                         const char* back, const char* font, int margin, int balloon),
      { HsDom.tip(id, UTF8ToString(title), UTF8ToString(text), icon, UTF8ToString(color),
                  UTF8ToString(back), UTF8ToString(font), margin, balloon); });
EM_JS(void, hs_dom_show_tip, (int id, int form, int x, int y), { HsDom.showTip(id, form, x, y); });
EM_JS(int, hs_dom_measure, (const char* font, const char* text),
      { return HsDom.measure(UTF8ToString(font), UTF8ToString(text)); });
EM_JS(int, hs_dom_line_height, (const char* font), { return HsDom.lineHeight(UTF8ToString(font)); });
EM_JS(void, hs_dom_pointer, (int id, const char* type, int x, int y, int button, int wheel),
      { HsDom.pointer(id, UTF8ToString(type), x, y, button, wheel); });
EM_JS(void, hs_dom_key, (const char* type, int code, int shift, int ctrl), {
  HsDom.keyEvent(UTF8ToString(type), code, shift !== 0, ctrl !== 0);
});
EM_JS(void, hs_dom_clipboard_write, (const char* text), { HsDom.clipboardWrite(UTF8ToString(text)); });
EM_JS(void, hs_dom_message, (const char* text, const char* caption), {
  document.dispatchEvent(new CustomEvent("herosheet-message",
      {detail: {text: UTF8ToString(text), caption: UTF8ToString(caption)}}));
});
EM_JS(char*, hs_dom_inspect, (int id), {
  const t = HsDom.inspect(id);
  const n = lengthBytesUTF8(t) + 1;
  const p = _malloc(n);
  stringToUTF8(t, p, n);
  return p;
});
EM_JS(char*, hs_dom_order, (int id), {
  const t = HsDom.order(id);
  const n = lengthBytesUTF8(t) + 1;
  const p = _malloc(n);
  stringToUTF8(t, p, n);
  return p;
});
EM_JS(char*, hs_dom_place, (int id, int of), {
  const t = HsDom.placeOf(id, of);
  const n = lengthBytesUTF8(t) + 1;
  const p = _malloc(n);
  stringToUTF8(t, p, n);
  return p;
});
EM_JS(int, hs_dom_parent, (int id), { return HsDom.parentOf(id); });
EM_JS(int, hs_dom_exists, (int id), { return HsDom.exists(id); });
EM_JS(void, hs_dom_leave, (), { HsDom.leave(); });
EM_JS(int, hs_dom_pick, (int id, int index), { return HsDom.pick(id, index); });
EM_JS(void, hs_dom_access, (int id, const char* role, const char* labels, const char* text), {
  HsDom.access(id, UTF8ToString(role), UTF8ToString(labels), UTF8ToString(text));
});
EM_JS(void, hs_dom_announce, (const char* text), { HsDom.announce(UTF8ToString(text)); });
EM_JS(char*, hs_dom_access_seen, (int id), {
  const s = HsDom.accessSeen(id);
  const n = lengthBytesUTF8(s) + 1;
  const p = _malloc(n);
  stringToUTF8(s, p, n);
  return p;
});
// clang-format on

extern "C" EMSCRIPTEN_KEEPALIVE void hs_web_event(int type, int id, int x, int y, int button,
                                                  int keys, int detail) {
  WebBackend().Dispatch(type, id, x, y, button, static_cast<uint32_t>(keys), detail);
}

extern "C" EMSCRIPTEN_KEEPALIVE void hs_web_paste(const char* text) {
  WebBackend().Paste(text ? text : "");
}

namespace {

std::string Take(char* p) {
  std::string s = p ? p : "";
  std::free(p);
  return s;
}

// The timers' user data: their ids.
int g_timerIds[THoverTiming::tmCount] = {THoverTiming::tmHover, THoverTiming::tmTipShow,
                                         THoverTiming::tmTipPop};

}  // namespace

// The deferred pass over the page's accessibility attributes.
void WebAccessDue(void*) {
  WebBackend().RefreshAccess();
}

void WebTimerFired(void* idp) {
  TWebBackend& b = WebBackend();
  int id = *static_cast<int*>(idp);
  b.timers_[id] = 0;
  b.due_[id] = 0;
  b.hover_.Fired(id);
  if (b.afterInput_) b.afterInput_();
}

void TWebBackend::StartTimer(int id, int ms) {
  StopTimer(id);
  ms = std::max(1, ms);
  due_[id] = emscripten_get_now() + ms;
  timers_[id] = emscripten_set_timeout(WebTimerFired, ms, &g_timerIds[id]);
}

void TWebBackend::StopTimer(int id) {
  if (timers_[id]) emscripten_clear_timeout(timers_[id]);
  timers_[id] = 0;
  due_[id] = 0;
}

void TWebBackend::RunDueTimers() {
  for (;;) {
    int next = -1;
    double now = emscripten_get_now();
    for (int id = 0; id < THoverTiming::tmCount; ++id)
      if (timers_[id] && due_[id] <= now && (next < 0 || due_[id] < due_[next])) next = id;
    if (next < 0) return;
    emscripten_clear_timeout(timers_[next]);
    WebTimerFired(&g_timerIds[next]);
  }
}

TWebBackend& WebBackend() {
  static TWebBackend b;
  return b;
}

int TWebBackend::ElementId(const TControl& c) const {
  auto* n = static_cast<TNode*>(c.Native());
  return n && n->Control == &c ? n->Id : 0;
}

TControl* TWebBackend::ControlOf(int id) const {
  auto it = nodes_.find(id);
  return it == nodes_.end() ? nullptr : it->second->Control;
}

void TWebBackend::CreateNative(TControl& c) {
  auto* n = new TNode{nextId_++, &c, {}};
  nodes_[n->Id] = n;
  c.SetNative(n);
  if (c.Kind() == TControlKind::Application) return;
  int parent = 0;
  if (c.Kind() != TControlKind::Form && c.Kind() != TControlKind::ToolTip && c.Parent())
    parent = ElementId(*c.Parent());
  hs_dom_create(n->Id, WebKindCode(c), parent);
  Apply(c, chAll);
}

void TWebBackend::Forget(TControl& c) {
  if (under_ == &c) under_ = nullptr;
  if (pressed_ == &c) pressed_ = nullptr;
  if (focus_ == &c) focus_ = nullptr;
  if (capture_ == &c) capture_ = nullptr;
  hover_.Gone(c);
}

// The window under the mouse went away (hidden, or about to be destroyed): the mouse has left
// it, as the system reports when the window no longer lies under the mouse.
void TWebBackend::Gone(bool leave) {
  if (!under_) return;
  if (leave)
    Under(nullptr);
  else
    under_ = nullptr;
}

// The control under the mouse gets its leave when it is c or lies inside c.
void TWebBackend::LeaveFrom(const TControl& c) {
  for (const TControl* p = under_; p; p = p->Parent())
    if (p == &c) return Gone(true);
}

void TWebBackend::DestroyNative(TControl& c) {
  if (under_ == &c) Gone(c.Showing());
  Forget(c);
  int id = ElementId(c);
  auto it = nodes_.find(id);
  if (it != nodes_.end()) {
    delete it->second;
    nodes_.erase(it);
  }
  c.SetNative(nullptr);
  if (id && c.Kind() != TControlKind::Application) hs_dom_destroy(id);
}

void TWebBackend::ApplyFont(TControl& c) {
  const TFontRec& f = c.Font();
  std::string font = CssFont(f);
  hs_dom_font(ElementId(c), font.c_str(), CssColor(f.Color).c_str(), CssColor(c.Color()).c_str(),
              CssDecoration(f).c_str(), hs_dom_line_height(font.c_str()));
}

void TWebBackend::ApplyTip(TControl& c) {
  const TToolTipInfo& t = c.TipInfo();
  hs_dom_tip(ElementId(c), t.Title.c_str(), t.Text.c_str(), std::clamp(t.Icon, 0, 3),
             CssColor(t.TextColor).c_str(), CssColor(t.BackColor).c_str(), CssFont(t.Font).c_str(),
             std::max(0, t.Margin), t.Balloon ? 1 : 0);
}

void TWebBackend::Apply(TControl& c, uint32_t changes) {
  int id = ElementId(c);
  if (!id || c.Kind() == TControlKind::Application) return;
  ScheduleAccess();
  bool form = c.Kind() == TControlKind::Form;
  if (c.Kind() == TControlKind::ToolTip) {
    if (changes & (chTip | chFont)) ApplyTip(c);
    if (changes & chTrack) hover_.Tracked(c);
    return;
  }
  if (changes & chStyle) {
    hs_dom_edge(id, c.EdgeStyle() == 1);
    changes |= chBounds;
  }
  if (changes & chBounds) {
    if (form) {
      // The page's sheet area is the desktop; the frame is as wide as on Win32.
      TSize extra = FrameExtra(c);
      int border = extra.Width / 2;
      hs_dom_bounds(id, c.Left(), c.Top(), c.Width(), c.Height(), extra.Height - 2 * border);
    } else {
      hs_dom_bounds(id, c.Left(), c.Top(), c.Width(), c.Height(), 0);
    }
  }
  if (changes & chText) hs_dom_text(id, c.Text().c_str());
  if (changes & (chFont | chColor)) ApplyFont(c);
  if (changes & chAlignment) hs_dom_align(id, CssAlign(c.Alignment()).c_str());
  if (changes & chEnabled) {
    hs_dom_enabled(id, c.Enabled());
    if (!c.Enabled()) LeaveFrom(c);  // no more input reaches it: the mouse has left
  }
  if ((changes & chAlpha) && form) hs_dom_opacity(id, c.Alpha());
  if (changes & chCursor) hs_dom_cursor(id, CssCursor(c.Cursor()).c_str());
  if ((changes & chCheck) && c.Kind() == TControlKind::RadioButton) hs_dom_check(id, c.Checked());
  if (c.Kind() == TControlKind::ComboBox) {
    if (changes & chItems) {
      std::string joined;
      for (size_t i = 0; i < c.Items().size(); ++i)
        joined += (i ? "\n" : "") + c.Items()[i];
      hs_dom_items(id, joined.c_str(), c.ItemIndex());
    } else if (changes & chSelection) {
      hs_dom_select(id, c.ItemIndex());
    }
  }
  if (changes & chVisible) {
    hs_dom_visible(id, c.Visible());
    if (!c.Visible()) {
      LeaveFrom(c);
      hover_.Gone(c);
    }
    if (form) c.NotifyShow(c.Visible());
  }
}

void TWebBackend::Restack(TControl& c, bool toFront) {
  if (int id = ElementId(c)) hs_dom_restack(id, toFront);
}

void TWebBackend::SetFocus(TControl& c) {
  if (focus_ == &c) return;
  TControl* old = focus_;
  focus_ = &c;
  hs_dom_focus(ElementId(c));
  if (old && old->HasWindow()) old->NotifyFocus(false);
  if (focus_ == &c) c.NotifyFocus(true);
}

TSize TWebBackend::MeasureText(const TControl& c, std::string_view text) {
  std::string font = CssFont(c.Font());
  std::string t(text);
  return TSize{hs_dom_measure(font.c_str(), t.c_str()), hs_dom_line_height(font.c_str())};
}

TSize TWebBackend::FrameExtra(const TControl& form) {
  return ClassicFrameExtra(form.Style(), form.ExStyle());
}

bool TWebBackend::ProcessMessages(bool) {
  // The browser runs the loop; input has been handled as it arrived.
  RefreshAccess();
  return !quit_;
}

// ---- assistive technology ----

namespace {

// The ARIA role of a description; "hidden" keeps the element from the tree, "" leaves the
// element's own (a native radio button or list, a plain box).
const char* AriaRole(TAccessRole r) {
  switch (r) {
    case TAccessRole::Hidden:
      return "hidden";
    case TAccessRole::Window:
      return "region";
    case TAccessRole::Dialog:
      return "dialog";
    case TAccessRole::Group:
      return "group";
    case TAccessRole::RadioButton:
      return "radio";
    case TAccessRole::Button:
      return "button";
    case TAccessRole::Item:
      return "listitem";
    case TAccessRole::Alert:
      return "alert";
    case TAccessRole::ComboBox:
      return "combobox";
    case TAccessRole::ToolTip:
      return "tooltip";
    default:
      return "";
  }
}

}  // namespace

namespace {

// The page's first frame is drawn: the deferred pass comes right after it.
EM_BOOL WebFrameDrawn(double, void*) {
  emscripten_set_timeout(WebAccessDue, 0, nullptr);
  return EM_FALSE;
}

}  // namespace

// The first pass waits until the page has drawn the sheet once, so that describing ~300
// controls never delays the first frame; later passes come as soon as the page is idle.
void TWebBackend::ScheduleAccess() {
  if (accessDue_) return;
  accessDue_ = true;
  if (described_)
    emscripten_set_timeout(WebAccessDue, 0, nullptr);
  else
    emscripten_request_animation_frame(WebFrameDrawn, nullptr);
}

void TWebBackend::RefreshAccess() {
  accessDue_ = false;
  described_ = true;
  std::vector<std::string> items;
  for (auto& [id, n] : nodes_) {
    TControl& c = *n->Control;
    if (c.Kind() == TControlKind::Application) continue;
    TAccessInfo a = c.Access();
    std::string labels;
    for (const TControl* l : c.AccessLabels())
      if (int lid = ElementId(*l)) labels += (labels.empty() ? "" : " ") + std::to_string(lid);
    std::string said = std::string(AriaRole(a.Role)) + '\x1f' + labels + '\x1f' + a.Description;
    if (said != n->Said) {
      n->Said = said;
      hs_dom_access(id, AriaRole(a.Role), labels.c_str(), a.Description.c_str());
    }
  }
  // A change the user made is announced by the rows it changed.
  for (auto& [id, n] : nodes_)
    if (n->Control->Kind() == TControlKind::Form && n->Control->Showing()) {
      std::vector<std::string> now = AccessItemNames(*n->Control);
      std::string changes = AccessChanges(items_, now);
      if (announce_ && !changes.empty() && !items_.empty()) hs_dom_announce(changes.c_str());
      items_ = std::move(now);
      break;
    }
  announce_ = false;
}

std::string TWebBackend::AccessSeen(const TControl& c) const {
  int id = ElementId(c);
  return id ? Take(hs_dom_access_seen(id)) : std::string();
}

// ---- input ----

void TWebBackend::Under(TControl* c) {
  if (c == under_) return;
  TControl* old = under_;
  under_ = c;
  if (old && old->HasWindow()) {
    hover_.Left(*old);
    old->NotifyMouseLeave();
  }
}

// The tip shows below the mouse, in the owner's top window.
void TWebBackend::ShowTip(TControl& owner, TControl& tip, int x, int y) {
  int ox = 0, oy = 0;
  owner.OriginIn(nullptr, ox, oy);
  hs_dom_show_tip(ElementId(tip), ElementId(*owner.TopWindow()), ox + x, oy + y + 20);
}

void TWebBackend::HideTip(TControl& tip) {
  if (int id = ElementId(tip)) hs_dom_show_tip(id, 0, -1, -1);
}

void TWebBackend::MouseMove(TControl& c, int x, int y, uint32_t keys) {
  Under(&c);
  if (!c.HasWindow()) return;
  hover_.Moved(c, x, y);
  TMouseInfo m;
  m.Keys = keys;
  m.X = x;
  m.Y = y;
  c.NotifyMouseMove(m);
}

void TWebBackend::MouseDown(TControl& c, int x, int y, int button, uint32_t keys, int detail) {
  Under(&c);
  hover_.Pressed(c);
  // The second press of a double click is a double-click message: no press, no click.
  if (detail >= 2 && detail % 2 == 0 && c.Kind() != TControlKind::ComboBox) return;
  TMouseInfo m;
  m.Button = button;
  m.Keys = keys;
  m.X = x;
  m.Y = y;
  c.NotifyMouseDown(m);
  if (button != 1 || !c.HasWindow()) return;
  if (c.Kind() == TControlKind::Label || c.Kind() == TControlKind::Panel)
    c.NotifyClick();  // static windows report a click when the button goes down
  else if (c.Kind() == TControlKind::RadioButton && c.Enabled())
    pressed_ = &c;
}

void TWebBackend::MouseUp(TControl& c, int x, int y, int button, uint32_t keys) {
  TMouseInfo m;
  m.Button = button;
  m.Keys = keys;
  m.X = x;
  m.Y = y;
  TControl* pressed = button == 1 ? pressed_ : nullptr;
  if (button == 1) pressed_ = nullptr;
  c.NotifyMouseUp(m);
  // A button clicks when the press and the release were both on it.
  if (pressed == &c && c.HasWindow() && c.ContainsPoint(x, y)) c.NotifyClick();
}

void TWebBackend::Key(int type, int key, bool shift, bool ctrl) {
  TControl* c = focus_;
  if (!c) {
    for (auto& [id, n] : nodes_)
      if (n->Control->Kind() == TControlKind::Form && n->Control->InputEnabled()) c = n->Control;
  }
  // Keys reach no window of a disabled form (a modal form is up).
  if (!c || !c->HasWindow() || !c->InputEnabled()) return;
  if (type == evKeyDown)
    c->NotifyKeyDown(key, shift, ctrl);
  else
    c->NotifyKeyUp(key);
}

void TWebBackend::Dispatch(int type, int id, int x, int y, int button, uint32_t keys, int detail) {
  TControl* c = ControlOf(id);
  if (type == evUp || type == evDown || type == evKeyDown || type == evChange ||
      type == evActivate) {
    // What a click or a key changes is announced after it.
    if (!announce_) RefreshAccess();
    announce_ = true;
    ScheduleAccess();
  }
  if (type == evLeave) {
    Under(nullptr);
  } else if (type == evKeyDown || type == evKeyUp) {
    Key(type, x, y != 0, (keys & mkControl) != 0);
  } else if (type == evChar) {
    TControl* f = focus_;
    if (f && f->HasWindow()) f->NotifyChar(reinterpret_cast<const char*>(x));
  } else if (type == evChange) {
    if (c && c->Kind() == TControlKind::ComboBox && c->InputEnabled()) c->NotifySelChange(x);
  } else if (type == evActivate) {
    // The page's window is every shown form's: each is activated or deactivated with it.
    std::vector<int> forms;
    for (const auto& [nid, n] : nodes_)
      if (n->Control->Kind() == TControlKind::Form && n->Control->Showing()) forms.push_back(nid);
    for (int nid : forms)
      if (TControl* f = ControlOf(nid)) f->NotifyActivate(x != 0);
  } else if (type == evPress) {
    if (c && c->InputEnabled() &&
        (c->Kind() == TControlKind::RadioButton || c->Kind() == TControlKind::Label))
      c->NotifyClick();
  } else if (c && c->Showing() && c->TopWindow()->InputEnabled()) {
    // With the mouse captured, its input goes to the capturing window.
    if (capture_ && capture_ != c && capture_->HasWindow() &&
        capture_->TopWindow() == c->TopWindow()) {
      int cx = 0, cy = 0, tx = 0, ty = 0;
      c->OriginIn(nullptr, cx, cy);
      capture_->OriginIn(nullptr, tx, ty);
      x += cx - tx;
      y += cy - ty;
      c = capture_;
    }
    if (type == evMove) {
      MouseMove(*c, x, y, keys);
    } else if (type == evDown) {
      MouseDown(*c, x, y, button, keys, detail);
    } else if (type == evUp) {
      MouseUp(*c, x, y, button, keys);
    } else if (type == evWheel) {
      TMouseInfo m;
      m.Keys = keys;
      m.X = x;
      m.Y = y;
      m.Wheel = detail;
      c->NotifyMouseWheel(m);
    }
  }
  if (afterInput_) afterInput_();
}

// ---- synthetic input ----

void TWebBackend::PointerMove(TControl& c, int x, int y) {
  if (x < 0) x = c.Width() / 2;
  if (y < 0) y = c.Height() / 2;
  if (int id = ElementId(c)) hs_dom_pointer(id, "mousemove", x, y, 0, 0);
}

void TWebBackend::PointerButton(TControl& c, bool down, int button, int x, int y) {
  if (int id = ElementId(c)) hs_dom_pointer(id, down ? "mousedown" : "mouseup", x, y, button, 0);
}

void TWebBackend::PointerWheel(TControl& c, int delta, int x, int y) {
  if (int id = ElementId(c)) hs_dom_pointer(id, "wheel", x, y, 0, delta);
}

void TWebBackend::PointerClick(TControl& c) {
  int x = c.Width() / 2, y = c.Height() / 2;
  PointerMove(c, x, y);
  if (ElementId(c)) PointerButton(c, true, 1, x, y);
  if (ElementId(c)) PointerButton(c, false, 1, x, y);
}

void TWebBackend::KeyStroke(int key, bool shift, bool ctrl) {
  hs_dom_key("keydown", key, shift, ctrl);
  hs_dom_key("keyup", key, shift, ctrl);
}

void TWebBackend::Paste(std::string_view text) {
  RefreshAccess();
  announce_ = true;
  ScheduleAccess();
  clip_.assign(text);
  Key(evKeyDown, vkV, false, true);
  Key(evKeyUp, vkV, false, true);
  if (afterInput_) afterInput_();
}

void TWebBackend::SetClipboardText(std::string_view text) {
  clip_.assign(text);
  hs_dom_clipboard_write(clip_.c_str());
}

void TWebBackend::ShowMessage(TControl*, std::string_view text, std::string_view caption) {
  hs_dom_message(std::string(text).c_str(), std::string(caption).c_str());
}

void TWebBackend::PointerLeave() {
  hs_dom_leave();
}

bool TWebBackend::PickItem(TControl& combo, int index) {
  int id = ElementId(combo);
  if (!id || combo.Kind() != TControlKind::ComboBox || index < 0 || index >= combo.ItemCount() ||
      !combo.Showing() || !combo.Enabled())
    return false;
  return hs_dom_pick(id, index) != 0;
}

// ---- reading the page back ----

bool TWebBackend::InPage(const TControl& c) const {
  int id = ElementId(c);
  return id && (c.Kind() == TControlKind::Application || hs_dom_exists(id));
}

TControl* TWebBackend::PageParent(const TControl& c) const {
  int id = ElementId(c);
  return id ? ControlOf(hs_dom_parent(id)) : nullptr;
}

std::vector<TControl*> TWebBackend::PageOrder(const TControl& parent) const {
  std::vector<TControl*> out;
  std::string ids = ElementId(parent) ? Take(hs_dom_order(ElementId(parent))) : std::string();
  size_t at = 0;
  while (at < ids.size()) {
    size_t end = ids.find(',', at);
    if (end == std::string::npos) end = ids.size();
    if (TControl* c = ControlOf(std::atoi(ids.substr(at, end - at).c_str()))) out.push_back(c);
    at = end + 1;
  }
  return out;
}

bool TWebBackend::PlaceOf(const TControl& c, const TControl& of, int& x, int& y) const {
  int id = ElementId(c), ofId = ElementId(of);
  std::string t = id && ofId ? Take(hs_dom_place(id, ofId)) : std::string();
  int shown = 0;
  if (std::sscanf(t.c_str(), "%d,%d,%d", &shown, &x, &y) != 3) return false;
  return shown != 0;
}

std::vector<std::string> TWebBackend::Inspect(const TControl& c) const {
  std::vector<std::string> fields;
  std::string all = ElementId(c) ? Take(hs_dom_inspect(ElementId(c))) : std::string();
  if (all.empty()) return fields;
  size_t at = 0;
  for (;;) {
    size_t end = all.find('\x1f', at);
    fields.push_back(all.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return fields;
}
