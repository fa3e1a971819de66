// THIWin: the base of every window element. Owns one TControl and maps its notifications onto
// the element's event points.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "ui/control.h"

class THIWin;

// The tool-tip service of a hint manager (its Manager value).
class TToolTipService {
 public:
  virtual ~TToolTipService() = default;
  virtual void AddTool(TControl& c) = 0;
  virtual void RemoveTool(TControl& c) = 0;
  virtual void SetToolText(TControl& c, std::string_view text) = 0;
  virtual void SetToolTitle(TControl& c, std::string_view title, int icon) = 0;
  // Tracking: the tip shows while on (the mouse over c) and follows the mouse, at (x, y) of
  // c's client area.
  virtual void TrackTool(TControl& c, bool on) = 0;
  virtual void TrackPosition(TControl& c, int x, int y) = 0;
};

class THIWin : public THIBase, public TControlListener {
 public:
  // parent: the parent window, or nullptr. The concrete class creates Control.
  explicit THIWin(TControl* parent);
  ~THIWin() override;

  TControl* Control = nullptr;
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  uint8_t Align = 0;
  int32_t TabOrder = 0;
  uint32_t Color = clBtnFace;
  uint8_t Ctl3D = 2;  // kept; no backend applies it (docs/differences.md)
  std::string Hint;
  int32_t HintIcon = 0;
  std::string HintTitle;
  TFontRec Font;
  uint8_t ParentFont = 0;
  uint8_t Visible = 1;
  uint8_t Enabled = 1;
  int32_t Cursor = 0;

  THI_Event onKeyDown, onKeyUp, onChar;
  THI_Event onMouseDown, onMouseMove, onMouseUp, onMouseWheel;
  THI_Event onEnter, onExit, onMove, onResize;

  // Applies the properties to the window, creates it and shows it as Visible says.
  virtual void Init();

  void doFont(TData& data, uint16_t);
  void doVisible(TData& data, uint16_t);
  void doBringToFront(TData& data, uint16_t);
  void doSendToBack(TData& data, uint16_t);

  // Attaches the tool-tip service (nullptr: none) and gives it Hint, HintTitle, HintIcon.
  void AttachHints(TToolTipService* service);
  TToolTipService* Hints() const { return hints_; }

  // The notification stored before the newest mouse event.
  const TMouseInfo& LastMouse() const { return lastMouse_; }

 protected:
  // Runs for every mouse message and for the hover notification.
  virtual void MouseOver();
  // Runs when the mouse has left the window.
  virtual void MouseLeave();
  // Runs when the window is shown (the form's first-show hook).
  virtual void ShowHook(bool shown);

  void ApplyFont(const TFontRec& f);

  void CtlMouseDown(TControl&, const TMouseInfo& m) override;
  void CtlMouseMove(TControl&, const TMouseInfo& m) override;
  void CtlMouseUp(TControl&, const TMouseInfo& m) override;
  void CtlMouseWheel(TControl&, const TMouseInfo& m) override;
  void CtlMouseHover(TControl&) override { MouseOver(); }
  void CtlMouseLeave(TControl&) override { MouseLeave(); }
  void CtlKeyDown(TControl&, int key) override;
  void CtlKeyUp(TControl&, int key) override;
  void CtlChar(TControl&, std::string_view text) override;
  void CtlFocus(TControl&, bool gained) override;
  void CtlMoved(TControl&) override;
  void CtlResized(TControl&) override;
  void CtlShow(TControl&, bool shown) override { ShowHook(shown); }

  TMouseInfo lastMouse_;
  TToolTipService* hints_ = nullptr;
};
