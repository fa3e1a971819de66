#include "ui/backends/headless/backend_headless.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Advance of one character: about 0.55 of the pixel size, one more when bold.
int Advance(const TFontRec& f, int px) {
  return (px * 55 + 50) / 100 + ((f.Style & fsBold) ? 1 : 0);
}

}  // namespace

THeadlessBackend& HeadlessBackend() {
  static THeadlessBackend b;
  return b;
}

// Tool tips and top windows have no native parent; the others live in their parent's window.
void THeadlessBackend::CreateNative(TControl& c) {
  THeadlessWindow& w = windows_[&c];
  bool child = !c.IsTopLevel() && c.Kind() != TControlKind::ToolTip;
  w.Parent = child ? c.Parent() : nullptr;
  Copy(c, w, chAll);
  if (std::vector<TControl*>* sib = SiblingsOf(c)) sib->insert(sib->begin(), &c);
  c.SetNative(&c);
  if (c.Kind() == TControlKind::Form && c.Visible()) {
    shown_.push_back(&c);
    c.NotifyShow(true);
  }
}

void THeadlessBackend::DestroyNative(TControl& c) {
  hover_.Gone(c);
  if (OnDestroying && Exists(&c)) OnDestroying(&c);
  if (std::vector<TControl*>* sib = SiblingsOf(c)) std::erase(*sib, &c);
  windows_.erase(&c);
  std::erase(shown_, &c);
  c.SetNative(nullptr);
  if (focus_ == &c) focus_ = nullptr;
  if (capture_ == &c) capture_ = nullptr;
}

std::vector<TControl*>* THeadlessBackend::SiblingsOf(const TControl& c) {
  auto it = windows_.find(const_cast<TControl*>(&c));
  if (it == windows_.end()) return nullptr;
  TControl* parent = it->second.Parent;
  if (!parent) return &topLevel_;
  auto p = windows_.find(parent);
  return p == windows_.end() ? nullptr : &p->second.Stack;
}

const THeadlessWindow* THeadlessBackend::Window(const TControl* c) const {
  auto it = windows_.find(const_cast<TControl*>(c));
  return it == windows_.end() ? nullptr : &it->second;
}

void THeadlessBackend::Copy(TControl& c, THeadlessWindow& w, uint32_t changes) {
  if (changes & chBounds) {
    w.Left = c.Left();
    w.Top = c.Top();
    w.Width = c.Width();
    w.Height = c.Height();
  }
  if (changes & chText) w.Text = c.Text();
  if (changes & chFont) w.Font = c.Font();
  if (changes & chColor) w.Color = c.Color();
  if (changes & chAlignment) w.Alignment = c.Alignment();
  if (changes & chVisible) w.Visible = c.Visible();
  if (changes & chEnabled) w.Enabled = c.Enabled();
  if (changes & chCheck) w.Checked = c.Checked();
  if (changes & chItems) w.Items = c.Items();
  if (changes & (chItems | chSelection)) w.Selection = c.ItemIndex();
}

void THeadlessBackend::Apply(TControl& c, uint32_t changes) {
  for (unsigned i = 0; i < 32; ++i)
    if (changes & (1u << i)) ++counts_[i];
  auto it = windows_.find(&c);
  if (it == windows_.end()) return;
  bool wasVisible = it->second.Visible;
  Copy(c, it->second, changes);
  if ((changes & chTrack) && c.Kind() == TControlKind::ToolTip) hover_.Tracked(c);
  // Input no longer reaches a disabled window: the mouse has left it.
  if ((changes & chEnabled) && !c.Enabled() && OnHidden && Exists(&c)) OnHidden(&c);
  if (!(changes & chVisible)) return;
  // ShowWindow sends WM_SHOWWINDOW to a top window.
  if (c.Kind() == TControlKind::Form) {
    std::erase(shown_, &c);
    if (c.Visible()) shown_.push_back(&c);
    c.NotifyShow(c.Visible());
  }
  if (!c.Visible() && focus_ == &c) focus_ = nullptr;
  if (!c.Visible()) hover_.Gone(c);
  if (wasVisible && !c.Visible() && OnHidden && Exists(&c)) OnHidden(&c);
}

void THeadlessBackend::UserPlaced(TControl& c) {
  auto it = windows_.find(&c);
  if (it != windows_.end()) Copy(c, it->second, chBounds);
}

TControl* THeadlessBackend::ActiveForm() const {
  return shown_.empty() ? nullptr : shown_.back();
}

void THeadlessBackend::Restack(TControl& c, bool toFront) {
  std::vector<TControl*>* sib = SiblingsOf(c);
  if (!sib) return;
  std::erase(*sib, &c);
  if (toFront)
    sib->insert(sib->begin(), &c);
  else
    sib->push_back(&c);
}

void THeadlessBackend::SetFocus(TControl& c) {
  if (focus_ == &c) return;
  TControl* old = focus_;
  focus_ = &c;
  if (old && Exists(old)) old->NotifyFocus(false);
  if (focus_ == &c) c.NotifyFocus(true);
}

TSize THeadlessBackend::MeasureText(const TControl& c, std::string_view text) {
  const TFontRec& f = c.Font();
  int px = std::abs(FontHeightFor(f.Size, 96));
  int chars = 0;
  for (unsigned char ch : text)
    if ((ch & 0xC0) != 0x80) ++chars;  // count UTF-8 characters, not bytes
  return TSize{chars * Advance(f, px), px + (px + 4) / 5};
}

TSize THeadlessBackend::FrameExtra(const TControl& form) {
  return ClassicFrameExtra(form.Style(), form.ExStyle());
}

bool THeadlessBackend::ProcessMessages(bool wait) {
  if (quit_) return false;
  if (wait && queue_.empty()) return false;
  while (!queue_.empty() && !quit_) {
    std::function<void()> m = std::move(queue_.front().Run);
    queue_.pop_front();
    m();
  }
  return !quit_;
}

void THeadlessBackend::DropPosted(const void* owner) {
  std::erase_if(queue_, [owner](const TMessage& m) { return m.Owner == owner; });
}

unsigned THeadlessBackend::ApplyCount(uint32_t bit) const {
  for (unsigned i = 0; i < 32; ++i)
    if (bit == (1u << i)) return counts_[i];
  return 0;
}

// ---- time ----

void THeadlessBackend::AdvanceClock(int ms) {
  int64_t end = now_ + std::max(0, ms);
  for (;;) {
    int next = -1;
    for (int id = 0; id < THoverTiming::tmCount; ++id)
      if (due_[id] > 0 && due_[id] <= end && (next < 0 || due_[id] < due_[next])) next = id;
    if (next < 0) break;
    now_ = due_[next];
    due_[next] = 0;
    hover_.Fired(next);
  }
  now_ = end;
}

void THeadlessBackend::StartTimer(int id, int ms) {
  if (id >= 0 && id < THoverTiming::tmCount) due_[id] = now_ + std::max(1, ms);
}

void THeadlessBackend::StopTimer(int id) {
  if (id >= 0 && id < THoverTiming::tmCount) due_[id] = 0;
}

void THeadlessBackend::ShowTip(TControl& owner, TControl& tip, int x, int y) {
  auto it = windows_.find(&tip);
  if (it == windows_.end()) return;
  int ox = 0, oy = 0;
  owner.OriginIn(nullptr, ox, oy);
  it->second.TipUp = true;
  it->second.TipX = ox + x;
  it->second.TipY = oy + y;
}

void THeadlessBackend::HideTip(TControl& tip) {
  auto it = windows_.find(&tip);
  if (it != windows_.end()) it->second.TipUp = false;
}

bool THeadlessBackend::PickFont(TControl*, const TFontRec& font, TFontChoice& out) {
  if (!FontDialog) return false;
  return FontDialog(font, out);
}
