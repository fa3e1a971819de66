// Comparison of the answers two builds of the ini driver gave for the same cases, and the
// search for the smallest case that still shows a difference.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/platform/inidiff/ini_case.h"

namespace inidiff {

// The form the Windows calls rewrite a file in: lines split at CR LF, LF or CR, trimmed of
// blanks, blank lines dropped; a section header as "[name]" (name trimmed, text after the last
// ']' dropped); a line with '=' as key=value, both trimmed; every line ended by CR LF.
std::string NormalForm(std::string_view file);

struct Mismatch {
  size_t Op = 0;     // index of the first operation whose answers differ
  std::string What;  // what differs
};

// The first difference between the answers, or nothing. A file written compares byte for byte
// when the file before the write was in normal form (or missing), in normal form otherwise.
std::optional<Mismatch> Compare(const Case& c, const Outcome& a, const Outcome& b);

// Runs cases on both sides; the two outcome lists follow the cases (nothing when a side failed).
using Runner = std::function<std::optional<std::pair<std::vector<Outcome>, std::vector<Outcome>>>(
    const std::vector<Case>&)>;

// The smallest case found that still mismatches, by cutting the script after the mismatch, then
// dropping operations and file lines and halving long lines and values one at a time while a
// mismatch remains. Each round runs every candidate in one batch.
Case Shrink(const Case& c, const Runner& run);

// The lines of a file with their line ends.
std::vector<std::string_view> LinesWithEnds(std::string_view file);

// A case, readable: bytes outside printable ASCII as C escapes.
std::string Describe(const Case& c);
std::string Visible(std::string_view bytes);

}  // namespace inidiff
