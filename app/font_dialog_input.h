// The font dialog of the headless backend answered from a runner's input (herosheet-sim). When
// a dialog opens, the runner prints "font dialog: FACE SIZE STYLE COLOR" (what it shows) and
// takes the next input line as the user's answer:
//   font FACE SIZE STYLE COLOR   confirm with this font: FACE may hold spaces; SIZE in points
//                                (one decimal at most), STYLE the style bits (1 bold, 2 italic,
//                                4 underline, 8 strike-out), COLOR a colour value (decimal, or
//                                hexadecimal after "0x", 0x00BBGGRR); the charset stays
//   font cancel                  cancel
// Any other line cancels the dialog with an error and is then run as the next command; the end
// of the input cancels it too.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/backend.h"

// What an answer line says: nothing when it is no valid answer (error says why), a choice with
// confirmed false for "font cancel".
struct TFontAnswer {
  bool Confirmed = false;
  TFontChoice Choice;
};
std::optional<TFontAnswer> ParseFontAnswer(std::string_view line, const TFontRec& shown,
                                           std::string& error);
// The line a runner prints for an open dialog (without the line break).
std::string FontDialogLine(const TFontRec& shown);

class TFontDialogInput {
 public:
  // nextLine reads the runner's next input line; false at the end of the input.
  explicit TFontDialogInput(std::function<bool(std::string&)> nextLine);
  ~TFontDialogInput();
  TFontDialogInput(const TFontDialogInput&) = delete;
  TFontDialogInput& operator=(const TFontDialogInput&) = delete;

  // The next line to run: one the dialog read but did not take, else the input's next one.
  bool NextLine(std::string& line);
  // What the dialogs printed since the last call.
  std::string TakeOutput();

 private:
  bool Answer(const TFontRec& shown, TFontChoice& out);
  std::function<bool(std::string&)> next_;
  std::optional<std::string> pending_;
  std::string output_;
};
