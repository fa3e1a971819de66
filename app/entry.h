// The process entry of the hero sheet: "/ih" shows the credit box; otherwise the main scheme is
// built, started and run until its form closes.
#pragma once

// True when the first argument asks for the credit box only.
bool WantsCredits(int argc, char** argv);
// Shows the credit box (no window is built).
void ShowCredits();
// The whole program on the backend in use; the exit code.
int RunHeroSheet(int argc, char** argv);
