// TBackend: presents the TControl tree as native windows and feeds input back.
//
// The operations follow Win32 one to one: CreateNative is CreateWindowExA with every stored
// property, Apply is the matching SetWindowPos / SetWindowTextA / WM_SETFONT / ShowWindow /
// EnableWindow / BM_SETCHECK / CB_* / TTM_* call, ProcessMessages is the WaitMessage +
// PeekMessageA loop body. Backends never decide behaviour: input goes to TControl::Notify*.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/control.h"

// What changed on a control (Apply's mask).
enum : uint32_t {
  chBounds = 1u << 0,
  chText = 1u << 1,
  chFont = 1u << 2,
  chColor = 1u << 3,
  chVisible = 1u << 4,
  chEnabled = 1u << 5,
  chCursor = 1u << 6,
  chStyle = 1u << 7,       // Style/ExStyle (border styles, tab stop, edge)
  chCheck = 1u << 8,       // radio check state
  chItems = 1u << 9,       // combo items: the whole list again
  chSelection = 1u << 10,  // combo selection
  chTip = 1u << 11,        // tool-tip settings and text (on the ToolTip control)
  chAlpha = 1u << 12,      // form opacity
  chAlignment = 1u << 13,
  chWindowState = 1u << 14,  // minimise / maximise
  chTrack = 1u << 15,        // a tracking tool tip went on or off, or moved (TTM_TRACK*)
  chIcon = 1u << 16,         // a top window's icon
  chAccess = 1u << 17,       // role or naming controls for assistive technology
  chAll = 0xFFFFFFFFu,
};

// What the system font dialog gives back when the user confirms it (a LOGFONT's part of it).
struct TFontChoice {
  std::string Face;
  int32_t PointTenths = 0;  // the size in tenths of a point
  int32_t Weight = 400;     // 400 normal, 700 bold
  bool Italic = false, Underline = false, StrikeOut = false;
  uint32_t Color = 0;  // as TFontRec keeps it
  uint8_t CharSet = 1;
};

class TBackend {
 public:
  virtual ~TBackend() = default;
  virtual const char* Name() const = 0;

  // Creates the native window of c; its parent's native window exists. All stored
  // properties are applied (visible only when c.Visible()). Sets c.SetNative(...).
  virtual void CreateNative(TControl& c) = 0;
  // Destroys the native window of c (its children's are gone already); clears c's native.
  // No notification may reach c afterwards.
  virtual void DestroyNative(TControl& c) = 0;
  // Applies the stored properties named by the mask to the native window.
  virtual void Apply(TControl& c, uint32_t changes) = 0;
  // Re-stacks c among its siblings after the layer changed the order (toFront: it is first).
  virtual void Restack(TControl& c, bool toFront) = 0;

  virtual void SetFocus(TControl& c) = 0;
  virtual TControl* FocusedControl() = 0;
  virtual void SetCapture(TControl* c) = 0;  // nullptr releases
  virtual void BeginSystemMove(TControl& form) = 0;

  // Single-line text extent in c's font.
  virtual TSize MeasureText(const TControl& c, std::string_view text) = 0;
  // Logical pixels per inch of the screen (96 at normal scaling).
  virtual int PixelsPerInch() = 0;
  // Width and height the frame adds to a form's client area.
  virtual TSize FrameExtra(const TControl& form) = 0;

  // One turn of the message loop: wait for input when asked, then handle everything pending.
  // False once a quit was posted (the loop ends).
  virtual bool ProcessMessages(bool wait) = 0;
  virtual void PostQuit() = 0;
  // Forgets a posted quit (a new Run may start).
  virtual void ResetQuit() = 0;

  // The clipboard as plain UTF-8 text, lines ending in "\n". Here it is kept in memory, for a
  // backend with no system clipboard.
  virtual void SetClipboardText(std::string_view text) { clipboard_.assign(text); }
  virtual std::string ClipboardText() { return clipboard_; }
  // A message with an OK button over owner's window (nullptr: none). Here it goes through the
  // OS layer's message box.
  virtual void ShowMessage(TControl* owner, std::string_view text, std::string_view caption);

  // The system font dialog, modal over owner's form (nullptr: the active one), showing font.
  // True when the user confirmed it, with the choice in out; false when cancelled or when this
  // backend has no such dialog.
  virtual bool PickFont(TControl* owner, const TFontRec& font, TFontChoice& out) {
    (void)owner, (void)font, (void)out;
    return false;
  }

 private:
  std::string clipboard_;
};

// The frame a window of these styles adds to its client area, in the classic metrics
// (3 px fixed border, 4 px sizing border, 19 px caption, 15 px tool-window caption).
inline TSize ClassicFrameExtra(uint32_t style, uint32_t exStyle) {
  TSize s;
  bool caption = (style & ws::Caption) == ws::Caption;
  int border = (style & ws::SizeBox) ? 4 : (caption || (exStyle & wsex::DlgModalFrame)) ? 3 : 0;
  s.Width = 2 * border;
  s.Height = 2 * border + (caption ? ((exStyle & wsex::ToolWindow) ? 15 : 19) : 0);
  return s;
}

// The backend in use; until a program installs one, a backend that creates no windows,
// measures no text and has no input.
TBackend& Backend();
// Installs b (not owned; nullptr returns to the windowless one). Only while no native window
// exists.
void SetBackend(TBackend* b);
