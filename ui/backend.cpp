#include "ui/backend.h"

#include "platform/os.h"

namespace {

// The backend while no program has installed one: no windows, no input. Text has no extent,
// and a message loop ends at once since nothing can arrive.
class TNullBackend : public TBackend {
 public:
  const char* Name() const override { return "none"; }
  void CreateNative(TControl&) override {}
  void DestroyNative(TControl& c) override { c.SetNative(nullptr); }
  void Apply(TControl&, uint32_t) override {}
  void Restack(TControl&, bool) override {}
  void SetFocus(TControl&) override {}
  TControl* FocusedControl() override { return nullptr; }
  void SetCapture(TControl*) override {}
  void BeginSystemMove(TControl&) override {}
  TSize MeasureText(const TControl&, std::string_view) override { return TSize{}; }
  int PixelsPerInch() override { return 96; }
  TSize FrameExtra(const TControl& form) override {
    return ClassicFrameExtra(form.Style(), form.ExStyle());
  }
  bool ProcessMessages(bool) override { return false; }
  void PostQuit() override {}
  void ResetQuit() override {}
};

TNullBackend g_null;
TBackend* g_backend = nullptr;

}  // namespace

void TBackend::ShowMessage(TControl*, std::string_view text, std::string_view caption) {
  os::ShowMessageBox(text, caption);
}

TBackend& Backend() {
  return g_backend ? *g_backend : g_null;
}

void SetBackend(TBackend* b) {
  g_backend = b;
}
