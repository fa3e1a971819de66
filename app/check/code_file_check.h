// Checks array.ini: names defined twice, lines without "=", codes with no digits and codes that
// no result label shows.
#pragma once

#include "app/check/finding.h"
#include "app/check/source_text.h"
#include "elements/integerarray.h"

// table: the same file loaded the way the choice loader loads it.
void CheckCodeFile(const TSourceText& src, const THIIntegerArray& table, TFindings& findings);

// Why no result label shows code, or "" when one does.
std::string UnshownCodeReason(int32_t code);
