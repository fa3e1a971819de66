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

// A result box as the sheet shows it: its frame, its rows (name and value labels, by row) and
// the value texts of the sheet with no answers, read right after start-up.
struct TSheetBox {
  TControl* Frame = nullptr;
  std::vector<TControl*> Names;
  std::vector<TControl*> Values;
  std::vector<std::string> Unanswered;
};

// A question group: its frame and its answers, answer 0 (none chosen) first.
struct TSheetQuestion {
  TControl* Frame = nullptr;
  std::vector<TControl*> Answers;
};

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

  // The result boxes and the questions, in the order they are built.
  const std::vector<TSheetBox>& Boxes() const { return boxes_; }
  const std::vector<TSheetQuestion>& Questions() const { return questions_; }

  // A spot of the main form's client area away from every control it holds.
  static constexpr int RestX = 200, RestY = 140;

  TMainForm& Scheme() const { return *scheme_; }
  TControl& Form() const;

 private:
  void Name(std::string name, TControl* c);
  void NameSettingsPanel();
  void NameResultBoxes();
  void NameQuestions();

  TMainForm* scheme_ = nullptr;
  std::vector<std::pair<std::string, TControl*>> names_;
  std::vector<TSheetBox> boxes_;
  std::vector<TSheetQuestion> questions_;
};

// Resets what the runtime shares between sheets: links, shared values, the language table,
// start-up procedures, the application and a posted quit.
void ResetSharedState();
