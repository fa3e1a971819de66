// Checks a language file (*.lng) against the caption keys the sheet translates.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/check/finding.h"
#include "app/check/source_text.h"

void CheckLanguageFile(const TSourceText& src, const std::vector<std::string_view>& sheetKeys,
                       TFindings& findings);

// The language files of the current folder (names matching *.lng as the program lists them),
// sorted by name.
std::vector<std::string> LanguageFileNames();

// Key -> text of a language file, the first line of a key winning.
std::map<std::string, std::string, std::less<>> LanguageTexts(const TSourceText& src);
