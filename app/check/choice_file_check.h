// Checks choice.ini line by line by the choice loader's rules, and records which lines it
// stores in which block (the texts the question lists receive).
#pragma once

#include <string>
#include <vector>

#include "app/check/finding.h"
#include "app/check/source_text.h"
#include "elements/integerarray.h"

struct TChoiceBlock {
  int Number = 0;      // 0 .. 6: the list it feeds
  size_t EndLine = 0;  // the line that closes it
  std::vector<std::string> Stored;
};

// codes: array.ini loaded as the loader loads it; codesKnown false when it could not be read
// (names are then not checked).
std::vector<TChoiceBlock> CheckChoiceFile(const TSourceText& src, THIIntegerArray& codes,
                                          bool codesKnown, TFindings& findings);

// "question 2, male list" for the list of block b.
std::string DescribeList(int block);
