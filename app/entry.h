// The process entry of the hero sheet: "/ih" shows the credit box; otherwise the main scheme is
// built, started and run until its form closes.
#pragma once

#include <string_view>

// True when the first argument asks for the credit box only.
bool WantsCredits(int argc, char** argv);
// The credit box's text (lines end in CR LF) and caption.
std::string_view CreditText();
std::string_view CreditCaption();
// Shows the credit box through the OS layer (no window is built): standard error on POSIX.
void ShowCredits();
// The whole program on the backend in use; the exit code.
int RunHeroSheet(int argc, char** argv);
