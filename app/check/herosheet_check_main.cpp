// herosheet-check: reports what the hero sheet silently does with the data and language files
// of a folder, and prints the effects of every answer.
#include <iostream>
#include <string>
#include <string_view>

#include "app/check/check_run.h"

namespace {

constexpr std::string_view Help =
    R"(Usage: herosheet-check [--table | --json] [FOLDER]

Checks choice.ini, array.ini and the language files (*.lng) in FOLDER (default: the current
folder) by the rules the hero sheet reads them by, and reports every line it drops or reads in
a way its writer may not have meant. The hero sheet itself never reports these.

Each finding is one line:  FILE:LINE: warning: TEXT  (or error). LINE counts lines as the
sheet splits them (at CR or CR LF); a finding about a whole file is on line 1. Findings are
sorted by file, then line.

Whole files: missing or unreadable choice.ini or array.ini (error); LF-only line ends (the
file reads as one line); a NUL byte (the rest is ignored); a line feed inside a line; a UTF-8
byte order mark (read as part of the first line).
choice.ini: text outside every block (lines starting with ";" are taken as comments); a
"-- choice" that does not begin its line; a block never closed; a block opened inside an open
block; other text on an "-- end" line; not exactly seven blocks; answer lines without a space
or "="; answer numbers that are not numbers or beyond the question's answers; names not in
array.ini, with a space that belongs to the name, or picking an entry by its number; amounts
with no digits, rounded, with a misplaced minus sign or beyond 32 bits; "%1", "%2" or "%3"
filled in when a line is stored.
array.ini: names defined twice; lines without "="; codes with no digits; codes that no result
label shows (below 100, 500 and up, outside their table, 400).
*.lng: caption keys missing; keys defined twice; keys the sheet does not use; lines
without "|".

Options:
  --table   print, for each of the seven answer lists, every answer with its caption key and
            its effects as Markdown tables (names from en.lng when it exists, codes otherwise);
            the findings go to standard error
  --json    print the findings and the table as one JSON document
  --help    print this text

Exit status: 0 no finding, 1 warnings only, 2 an error (a data file missing or unreadable,
or a bad command line).
)";

}  // namespace

int main(int argc, char** argv) {
  TCheckOutput mode = TCheckOutput::Findings;
  bool modeSet = false;
  std::string folder;
  bool folderSet = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << Help;
      return 0;
    }
    if (arg == "--table" || arg == "--json") {
      if (modeSet) {
        std::cerr << "herosheet-check: --table and --json exclude each other\n";
        return 2;
      }
      mode = arg == "--table" ? TCheckOutput::Table : TCheckOutput::Json;
      modeSet = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "herosheet-check: unknown option " << arg << " (see --help)\n";
      return 2;
    } else if (folderSet) {
      std::cerr << "herosheet-check: one folder only (see --help)\n";
      return 2;
    } else {
      folder = arg;
      folderSet = true;
    }
  }
  return RunCheck(folderSet ? folder : ".", mode, std::cout, std::cerr);
}
