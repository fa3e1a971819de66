// TSheetRunner: text commands over a sheet, through its input (herosheet-sim, the page's
// herosheetCommand, tests). Controls are named by role; see TSheet::Names().
//
//   hover NAME            the mouse moves onto NAME, no button held
//   click NAME            a left click on NAME
//   pick panel.language T the user picks the item T of the language box
//   place L T W H         the user moves the main form to L, T and sizes it to W x H
//   key NAME              a key press: Tab, Shift+Tab, Up, Down, Left, Right, Space, Enter,
//                         Escape, Ctrl+C (the sheet onto the clipboard), Ctrl+V (the answers
//                         the clipboard holds opened)
//   close                 the user closes the main form (the runner then ends)
//   dump                  one line per window in creation order, then "."
//   copy                  the sheet as text (app/sheet_text.h), then "."
//   clipboard             the clipboard's text, then "."
//   clipboard TEXT        puts TEXT on the clipboard
//   quit                  ends the runner
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/sheet.h"
#include "app/sheet_input.h"

class TSheetRunner {
 public:
  // Builds the sheet and runs start-up; input: the user's hands on the backend in use.
  explicit TSheetRunner(std::unique_ptr<TSheetInput> input);
  ~TSheetRunner();
  TSheetRunner(const TSheetRunner&) = delete;
  TSheetRunner& operator=(const TSheetRunner&) = delete;

  // Runs one command line and returns what it prints. Sets *more to false when the runner ends.
  std::string Execute(std::string_view line, bool* more = nullptr);

  // The control of a role name, or nullptr (also once the form is closed).
  TControl* Find(std::string_view name) const { return sheet_ ? sheet_->Find(name) : nullptr; }
  // Every role name with its control, in creation order.
  const std::vector<std::pair<std::string, TControl*>>& Names() const;
  // The dump line of one control (without the line break).
  static std::string DumpLine(const std::string& name, const TControl& c);

  // The sheet (nullptr once the form is closed) and the input it is driven through.
  TSheet* Sheet() const { return sheet_.get(); }
  TMainForm* Scheme() const { return sheet_ ? &sheet_->Scheme() : nullptr; }
  TSheetInput& Input() { return *input_; }
  bool Closed() const { return !sheet_; }
  // Where the sheet is a page: its address without the fragment, for the copied text.
  void SetAddress(std::string address) { address_ = std::move(address); }

 private:
  std::string Close(bool* more);
  std::string Place(std::string_view args);
  std::string Key(std::string_view args);
  std::string Clipboard(std::string_view line, std::string_view args);
  std::string Pick(TControl& c, std::string_view name, std::string_view args);
  void Hover(TControl& c);
  std::string Dump() const;
  void Shutdown();

  std::unique_ptr<TSheetInput> input_;
  std::unique_ptr<TSheet> sheet_;
  std::string address_;
};
