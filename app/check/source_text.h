// One file of the checked folder, read whole and split into lines the way the program splits
// them, with the findings that concern the file as a whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/check/finding.h"

struct TSourceText {
  std::string Name;
  bool Readable = false;
  bool LfOnly = false;  // line feeds but no carriage return: one single line
  std::string Bytes;
  std::vector<std::string_view> Lines;  // views into Bytes; line n is Lines[n - 1]
};

// Reads name from the current folder. Reports an unreadable file (an error when required),
// LF-only line ends, a NUL byte, a byte order mark and line feeds that do not end a line.
TSourceText ReadSourceText(const std::string& name, bool required, TFindings& findings);
