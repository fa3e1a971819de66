// The Qt 6 Widgets backend: each TControl becomes an absolutely placed widget.
//
// Implements: every control kind (forms as top-level widgets, panels with a client widget inside
// their edge, tool tips as frameless tool windows); every change bit: bounds (a form's client
// area is its outer size less the classic frame), text, font (stand-in faces for the classic
// dialog faces), colours through the palette, alignment, visibility, enabled, cursor, style
// (form window flags, focus policy, panel edge), check, items, selection, edit field, tool tips,
// opacity, window state, the window icon (the Qt resource ":/icons/NAME.png" the program links
// in, else ":/icons/MAINICON.png", else none); stacking (raise, lower); focus, capture, system
// move; text extents from the font metrics; mouse, wheel, key and character input; the system
// clipboard as text (UTF-8 both ways); messages as modal message boxes; hover and tool tips timed
// by THoverTiming on Qt timers; one tracked control at a time gets the leave, also when the mouse
// goes onto a child and when the control is hidden or destroyed under the mouse; tracking tips
// shown below their tracked point while on, following it; a disabled form (a modal form is up)
// takes no input (Qt's own rule for disabled widgets); the font dialog (QFontDialog); assistive
// technology: forms, painted controls and radio buttons get an accessibility interface from the
// window layer's description (role, name, checked state, description, a press action), with name
// and description change events; combo boxes keep Qt's own, named by their labels. Cannot: a colour
// or script choice in the font dialog (QFontDialog has neither), a window manager's own frame sizes
// (the classic metrics stand in), pixels per inch other than 96 (scaling is Qt's scale factor), a
// balloon tip's stem (a balloon has round corners only), a second press on a double-click of a
// static window or radio button (as Win32 does not send one either). Not drawn: `Ctl3D` and a
// panel's bevels (`BevelInner`, `BevelOuter`, `BevelWidth`, `BorderWidth`) never reach the window
// layer (the elements keep them; the sheet's panel has no bevel); a form has no background picture
// (no element could set one).
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
  // The system clipboard as text; a message is a modal QMessageBox over the owner's form.
  void SetClipboardText(std::string_view text) override;
  std::string ClipboardText() override;
  void ShowMessage(TControl* owner, std::string_view text, std::string_view caption) override;
  // QFontDialog (Qt's own, not the desktop's), which has no colour or script choice: those
  // come back as shown.
  bool PickFont(TControl* owner, const TFontRec& font, TFontChoice& out) override;

  // The widget of a control (nullptr without one): for tests and screenshots.
  QWidget* WidgetOf(const TControl& c) const;
  // The control of a widget, or nullptr.
  TControl* ControlOf(const QWidget* w) const;
  // What a label, panel or group box paints: the text and alignment last applied to it.
  struct TPaintedText {
    bool Painted = false;  // false: c has no such widget
    std::string Text;
    uint8_t Alignment = taLeft;
  };
  TPaintedText PaintedText(const TControl& c) const;
  // Renders a form's client area.
  QImage Grab(const TControl& form) const;

  struct TImpl;

 private:
  std::unique_ptr<TImpl> d_;
};
