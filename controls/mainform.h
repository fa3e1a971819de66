// THIMainForm: a top-level form; the first one owns the application window.
#pragma once

#include <string>

#include "controls/win.h"

class THIMainForm : public THIWin {
 public:
  explicit THIMainForm(TControl* parent = nullptr);
  ~THIMainForm() override;

  uint8_t OwnsApplication = 0;
  uint8_t PlacementDone = 0;
  uint8_t DragByClient = 0;
  uint8_t AlphaBlend = 255;
  uint8_t WindowState = 0;  // 0 normal, 1 minimised, 2 maximised at first show
  std::string Place;        // "" none, "<file>.ini\<section>", else a registry key
  uint8_t ClientSize = 0;
  void (*AfterInit)(THIMainForm*) = nullptr;
  THI_Event KeepOpen;
  THI_Event onActivate, onDeactivate, onCreate, onClose;
  // Fired with the modal result when a modal show of this form ends (-1: closed).
  THI_Event onModalResult;

  void SetCaption(std::string_view text);
  void SetBorderStyle(int value);
  // Icon resource name; empty: the default "MAINICON".
  void SetIcon(std::string_view icon);
  const std::string& Icon() const { return icon_; }
  void SetToolWindow(bool on);
  void Init() override;

  // A secondary form shows itself modal: no other form of the program takes input until it
  // ends, by its close (modal result -1) or by doModalResult. The call does not wait for that
  // end: onModalResult reports it. The main form ignores it.
  void doShowModal(TData& data, uint16_t);
  // Ends a modal show with the incoming integer as the modal result (0: goes on).
  void doModalResult(TData& data, uint16_t);

  // Placement: 0 load, 1 save. Does nothing when Place is empty; a Place naming no ini file is a
  // key under HKEY_CURRENT_USER\Software (platform/registry.h).
  void Placement(int save);
  // The ini file and section Place names; false when it names none.
  bool PlaceFile(std::string& file, std::string& section) const;

 protected:
  void ShowHook(bool shown) override;
  void CtlMouseDown(TControl& c, const TMouseInfo& m) override;
  void CtlMoved(TControl& c) override;
  void CtlResized(TControl& c) override;
  void CtlActivate(TControl& c, bool active) override;
  bool CtlClose(TControl& c, bool asked) override;
  void CtlModalEnd(TControl& c, int result) override;

 private:
  void StartUp();
  void RegistryPlacement(int save);
  std::string icon_;
  uint8_t appliedAlpha_ = 255;
};

// Shows the application window as the main form's Visible says, installs the dispatchers and
// runs the start-up list (the main form fires onCreate and shows itself there).
void Start(THIMainForm* mainForm);
