// The process entry of the hero sheet: "/ih" shows the credit box; otherwise the main scheme is
// built, started (with the answers of "--answers CODE" clicked) and run until its form closes.
#pragma once

#include <string>
#include <string_view>

// True when the first argument asks for the credit box only.
bool WantsCredits(int argc, char** argv);
// The credit box's text (lines end in CR LF) and caption.
std::string_view CreditText();
std::string_view CreditCaption();
// Shows the credit box through the OS layer (no window is built): standard error on POSIX.
void ShowCredits();
// Option NAME at argv[i], as "NAME VALUE" (i moves onto the value) or "NAME=VALUE": its value
// in value; false when argv[i] is not that option.
bool TakeOption(int argc, char** argv, int& i, std::string_view name, std::string& value);

// The desktop program's options after those its toolkit took (argv ends at argc or at a null
// entry): "--answers CODE". False on anything else.
struct TSheetOptions {
  bool HasAnswers = false;
  std::string Answers;
};
bool ReadSheetOptions(int argc, char** argv, TSheetOptions& options);
// The one-line usage message of the desktop program (with its line break).
std::string_view SheetUsage();
// False when an argument can be neither herosheet's nor the window toolkit's (whose options begin
// with "-", a value after them): known before any display is opened.
bool ArgumentsMayBeValid(int argc, char** argv);

// The whole program on the backend in use, with the options read; the exit code.
int RunHeroSheet(const TSheetOptions& options);
