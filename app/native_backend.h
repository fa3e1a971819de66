// The window backend of the desktop program: one implementation per platform build.
#pragma once

#include <string_view>

// Shows a modal information box (caption, text, the information icon, an OK button) on the
// platform's display and returns when the user closes it; false when no display can be opened.
bool ShowNativeMessageBox(int& argc, char** argv, std::string_view text, std::string_view caption);
// Installs the platform's backend; false when no display can be used.
bool InstallNativeBackend(int& argc, char** argv);
// Uninstalls it after the last window is gone.
void RemoveNativeBackend();
