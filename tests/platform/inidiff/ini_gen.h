// The seeded generator of ini cases: hand-edited looking files (case, blanks, quotes, duplicate
// sections and keys, keys before any section, lines without '=', comments, every line end,
// values near the read limit, bytes above 127) and scripts of reads and writes on them.
#pragma once

#include <cstdint>

#include "tests/platform/inidiff/ini_case.h"

namespace inidiff {

// The same seed gives the same case on every platform; the case's id is the seed.
Case Generate(uint64_t seed);

}  // namespace inidiff
