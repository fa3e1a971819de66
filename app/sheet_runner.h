// TSheetRunner: the main scheme on the headless backend, driven by text commands. Controls are
// named by role ("q2.3", "attrib.value.1", "panel.language" ...); see Names().
//
//   hover NAME            the mouse moves onto NAME, no button held
//   click NAME            a left click on NAME
//   pick panel.language T the user picks the item T of the language box
//   place L T W H         the user moves the main form to L, T and sizes it to W x H
//   key NAME              a key press: Tab, Shift+Tab, Up, Down, Left, Right, Space, Enter,
//                         Escape
//   close                 the user closes the main form (the runner then ends)
//   dump                  one line per window in creation order, then "."
//   quit                  ends the runner
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/control.h"

class TMainForm;
class TSimulator;

// The user's hands: how the runner's moves, clicks, picks and closes reach the sheet on the
// backend in use. Without one the runner drives the headless backend's simulator.
class TSheetInput {
 public:
  virtual ~TSheetInput() = default;
  // The mouse moves onto (x, y) of c's client area (-1: its centre), no button held.
  virtual void MoveTo(TControl& c, int x, int y) = 0;
  // A left click on c (the mouse moves there first).
  virtual void Click(TControl& c) = 0;
  // The user picks item index of a combo box; false when it cannot.
  virtual bool PickItem(TControl& combo, int index) = 0;
  // The user closes a form; true when it closed.
  virtual bool CloseForm(TControl& form) = 0;
  // The mouse leaves every window.
  virtual void Leave() = 0;
};

class TSheetRunner {
 public:
  // Builds the main scheme and runs start-up on the installed backend; input: the user's hands
  // (nullptr: the headless simulator, for which HeadlessBackend() must be installed).
  explicit TSheetRunner(std::unique_ptr<TSheetInput> input = nullptr);
  ~TSheetRunner();
  TSheetRunner(const TSheetRunner&) = delete;
  TSheetRunner& operator=(const TSheetRunner&) = delete;

  // Runs one command line and returns what it prints. Sets *more to false when the runner ends.
  std::string Execute(std::string_view line, bool* more = nullptr);

  // The control of a role name, or nullptr.
  TControl* Find(std::string_view name) const;
  // Every role name with its control, in creation order.
  const std::vector<std::pair<std::string, TControl*>>& Names() const { return names_; }
  // The dump line of one control (without the line break).
  static std::string DumpLine(const std::string& name, const TControl& c);

  TMainForm* Scheme() const { return scheme_; }
  TSimulator& Mouse() { return *mouse_; }
  bool Closed() const { return closed_; }

 private:
  void Name(std::string name, TControl* c);
  void Register();
  void Hover(TControl& c);
  std::string Dump() const;
  void Shutdown();

  TMainForm* scheme_ = nullptr;
  std::unique_ptr<TSimulator> mouse_;
  std::unique_ptr<TSheetInput> input_;
  std::vector<std::pair<std::string, TControl*>> names_;
  bool closed_ = false;
};
