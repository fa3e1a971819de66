// One run of the data checker: the findings for the data and language files of a folder and,
// on request, the table of every answer's effects.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/check/choice_file_check.h"
#include "app/check/finding.h"

struct TFolderCheck {
  TFindings Findings;                // sorted
  std::vector<TChoiceBlock> Blocks;  // the blocks of choice.ini as the checker read them
};

// Checks the files of the current folder.
TFolderCheck CheckCurrentFolder();

enum class TCheckOutput { Findings, Table, Json };

// Checks folder and writes the result: the findings to out (with a table or JSON: the table or
// the document to out, the findings to err as well for the table). Returns the exit status:
// 0 no finding, 1 warnings only, 2 any error.
int RunCheck(const std::string& folder, TCheckOutput mode, std::ostream& out, std::ostream& err);
