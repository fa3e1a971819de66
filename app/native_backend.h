// The window backend of the desktop program: one implementation per platform build.
#pragma once

// Installs the platform's backend; false when no display can be used.
bool InstallNativeBackend(int& argc, char** argv);
// Uninstalls it after the last window is gone.
void RemoveNativeBackend();
