// THITranslator: the record that says where the language comes from, and the process-wide
// table that turns caption keys into texts.
#pragma once

#include <string>
#include <string_view>

#include "elements/tstrlist.h"

struct THITranslator {
  std::string Language;  // a built-in language; empty: the table comes from a language file
  TStrListEx BuiltIn;    // key|text lines of the built-in language
  uint8_t Storage = 1;   // 1 ini file, 0 the registry store (platform/registry.h)
  std::string IniFile = "config.ini";  // registry: the root's name ("HKEY_CURRENT_USER")
  std::string Section = "main";        // registry: the key path
  std::string Key = "language";        // registry: the value name
  std::string Folder = ".";

  // Fills the table from the chosen language file: the name from config.ini of the settings
  // folder (or the registry store), the file from the language folder (both the program's
  // folder when it is portable).
  void Load();
};

// One line of a language file: the key is the text before the first '|', the text everything
// after it; a line without '|' is both key and text.
struct TLanguageEntry {
  std::string_view Key;
  std::string_view Text;
  bool HasBar = false;
};
TLanguageEntry SplitLanguageLine(std::string_view line);

// The text of key, or key itself when there is no table or no entry.
std::string Translate(std::string_view key);
// True when a table exists (a language file was found).
bool TranslationLoaded();
// Number of entries of the table (0 without one).
size_t TranslationCount();
// Forgets the table (tests).
void ClearTranslation();
// True when name, lower-cased, matches mask, lower-cased ('*' any run, '?' any one character).
bool MatchesMask(std::string_view name, std::string_view mask);
