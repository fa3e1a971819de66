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

void THeadlessBackend::CreateNative(TControl& c) {
  windows_.insert(&c);
  c.SetNative(&c);
  if (c.Kind() == TControlKind::Form && c.Visible()) {
    shown_.push_back(&c);
    c.NotifyShow(true);
  }
}

void THeadlessBackend::DestroyNative(TControl& c) {
  windows_.erase(&c);
  std::erase(shown_, &c);
  c.SetNative(nullptr);
  if (focus_ == &c) focus_ = nullptr;
  if (capture_ == &c) capture_ = nullptr;
  if (OnDestroyed) OnDestroyed(&c);
}

void THeadlessBackend::Apply(TControl& c, uint32_t changes) {
  for (unsigned i = 0; i < 32; ++i)
    if (changes & (1u << i)) ++counts_[i];
  // ShowWindow sends WM_SHOWWINDOW to a top window.
  if ((changes & chVisible) && c.Kind() == TControlKind::Form) {
    std::erase(shown_, &c);
    if (c.Visible()) shown_.push_back(&c);
    c.NotifyShow(c.Visible());
  }
  if ((changes & chVisible) && !c.Visible() && focus_ == &c) focus_ = nullptr;
}

TControl* THeadlessBackend::ActiveForm() const {
  return shown_.empty() ? nullptr : shown_.back();
}

void THeadlessBackend::Restack(TControl&, bool) {}

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
