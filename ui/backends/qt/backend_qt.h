// The Qt 6 Widgets backend: each TControl becomes an absolutely placed widget.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "ui/backend.h"
#include "ui/fontface.h"

class QWidget;
class QImage;

class TQtBackend : public TBackend {
 public:
  // Creates the QApplication when the process has none (argc/argv may be empty).
  TQtBackend(int argc = 0, char** argv = nullptr);
  ~TQtBackend() override;

  const char* Name() const override { return "qt"; }
  void CreateNative(TControl& c) override;
  void DestroyNative(TControl& c) override;
  void Apply(TControl& c, uint32_t changes) override;
  void Restack(TControl& c, bool toFront) override;
  void SetFocus(TControl& c) override;
  TControl* FocusedControl() override;
  void SetCapture(TControl* c) override;
  void BeginSystemMove(TControl& form) override;
  TSize MeasureText(const TControl& c, std::string_view text) override;
  int PixelsPerInch() override { return 96; }
  TSize FrameExtra(const TControl& form) override;
  bool ProcessMessages(bool wait) override;
  void PostQuit() override;
  void ResetQuit() override;

  // The widget of a control (nullptr without one): for tests and screenshots.
  QWidget* WidgetOf(const TControl& c) const;
  // The control of a widget, or nullptr.
  TControl* ControlOf(const QWidget* w) const;
  // Renders a form's client area.
  QImage Grab(const TControl& form) const;

  struct TImpl;

 private:
  std::unique_ptr<TImpl> d_;
};
