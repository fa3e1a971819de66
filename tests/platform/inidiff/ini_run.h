// Runs one ini case through the OS layer the program is built over, on the file "c<id>.ini" in
// the current folder (removed before and after).
#pragma once

#include "tests/platform/inidiff/ini_case.h"

namespace inidiff {

// Nothing when the starting file cannot be written.
std::optional<Outcome> RunCase(const Case& c);

}  // namespace inidiff
