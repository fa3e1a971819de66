#include "app/simulator_input.h"

#include "ui/backends/headless/simulator.h"

TSimulatorInput::TSimulatorInput() : sim_(std::make_unique<TSimulator>()) {}

TSimulatorInput::~TSimulatorInput() = default;

void TSimulatorInput::MoveTo(TControl& c, int x, int y) {
  sim_->MoveTo(c, x, y);
}

void TSimulatorInput::Click(TControl& c) {
  sim_->Click(c);
}

void TSimulatorInput::PressKey(int key, bool shift, bool ctrl) {
  sim_->PressKey(key, shift, ctrl);
}

bool TSimulatorInput::PickItem(TControl& combo, int index) {
  return sim_->PickItem(combo, index);
}

bool TSimulatorInput::CloseForm(TControl& form) {
  return sim_->CloseForm(form);
}

void TSimulatorInput::PlaceForm(TControl& form, int left, int top, int width, int height) {
  sim_->PlaceForm(form, left, top, width, height);
}

void TSimulatorInput::ActivateForm(TControl& form, bool active) {
  sim_->ActivateForm(form, active);
}

void TSimulatorInput::Leave() {
  sim_->Leave();
}
