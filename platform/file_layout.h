// Where the program keeps its own files: config.ini and the language files. Two layouts, the same
// rule everywhere: portable (the program's folder holds config.ini or a *.lng: both are kept
// there) and installed (language files and the shipped config.ini in a data folder: POSIX
// share/herosheet/ beside the program's bin folder, Windows "share" inside the program's folder;
// config.ini in the per-user folder UserConfigFolder()/herosheet/: POSIX by default
// ~/.config/herosheet/, Windows %APPDATA%\herosheet\).
#pragma once

#include <string>

namespace os {

// True when the program's folder holds config.ini or a language file. Looked at once per program
// folder.
bool PortableLayout();
// Folder of config.ini, ending with a separator; in the installed layout it may not exist yet.
std::string SettingsFolder();
// Folder the language files are read from, ending with a separator.
std::string LanguageFolder();
// The shipped settings that the per-user config.ini falls back to key by key (installed layout:
// config.ini of the language folder); empty when path is not the per-user config.ini.
std::string SettingsDefaultsFor(const std::string& path);
// Creates the per-user settings folder (and its parents) before the first write into it; does
// nothing for any other path. False when it should exist and could not be made.
bool MakeSettingsFolderFor(const std::string& path);

}  // namespace os
