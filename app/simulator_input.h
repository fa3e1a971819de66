// TSimulatorInput: the headless backend's simulated user as a sheet's input (herosheet-sim,
// tests, benchmarks). It delivers input to the controls whatever backend draws them.
#pragma once

#include <memory>

#include "app/sheet_input.h"

class TSimulator;

class TSimulatorInput : public TSheetInput {
 public:
  TSimulatorInput();
  ~TSimulatorInput() override;

  void MoveTo(TControl& c, int x, int y) override;
  void Click(TControl& c) override;
  void PressKey(int key, bool shift, bool ctrl) override;
  bool PickItem(TControl& combo, int index) override;
  bool CloseForm(TControl& form) override;
  void Leave() override;
  void PlaceForm(TControl& form, int left, int top, int width, int height) override;
  void ActivateForm(TControl& form, bool active) override;

  // The simulated user, for what the commands do not say (resting the mouse, the wheel).
  TSimulator& Simulator() { return *sim_; }

 private:
  std::unique_ptr<TSimulator> sim_;
};
