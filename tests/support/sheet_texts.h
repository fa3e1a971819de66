// The sheet's copied text that every backend must give byte for byte: one file per language and
// answer code in tests/support/sheet_text/, named LANGUAGE-CODE.txt.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

struct TCopiedText {
  const char* Language;
  const char* Code;
};

inline constexpr TCopiedText kCopiedTexts[] = {{"en", "1.3.2.5.4"}, {"ru", "2.6.1.4.3"}};

inline std::string CopiedText(const TCopiedText& t) {
  std::ifstream in(std::string(HS_SHEET_TEXT_DIR) + "/" + t.Language + "-" + t.Code + ".txt",
                   std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string LanguageConfig(const char* language) {
  return std::string("[main]\r\nlanguage=") + language + "\r\n";
}
