// TSheet: the running hero sheet: the main scheme built and started, its controls named by
// role ("q2.3", "attrib.value.1", "panel.language" ...). The one start-up and the one shutdown
// of every program; one sheet at a time.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/control.h"

class TMainForm;

class TSheet {
 public:
  // Resets the shared runtime state, builds the main scheme and runs start-up.
  TSheet();
  // Destroys the scheme and resets the shared state again.
  ~TSheet();
  TSheet(const TSheet&) = delete;
  TSheet& operator=(const TSheet&) = delete;

  // Runs the message loop until the main form closes (the desktop programs).
  void Run();

  // The control of a role name, or nullptr.
  TControl* Find(std::string_view name) const;
  // Every role name with its control, in creation order.
  const std::vector<std::pair<std::string, TControl*>>& Names() const { return names_; }

  TMainForm& Scheme() const { return *scheme_; }
  TControl& Form() const;

 private:
  void Name(std::string name, TControl* c);
  void NameSettingsPanel();
  void NameResultBoxes();
  void NameQuestions();

  TMainForm* scheme_ = nullptr;
  std::vector<std::pair<std::string, TControl*>> names_;
};

// Resets what the runtime shares between sheets: links, shared values, the language table,
// start-up procedures, the application and a posted quit.
void ResetSharedState();
