// The checker's findings: one per problem, with the file, the line the program splits it into,
// and a warning or an error; printed as FILE:LINE: warning: TEXT.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct TFinding {
  std::string File;
  size_t Line = 1;
  bool Error = false;
  std::string Text;
};

class TFindings {
 public:
  void Warn(const std::string& file, size_t line, std::string text);
  void Fail(const std::string& file, size_t line, std::string text);
  // Sorts by file, then line; findings of one line keep the order they were made in.
  void Sort();
  const std::vector<TFinding>& All() const { return items_; }
  // 0 with no finding, 1 with warnings only, 2 with any error.
  int ExitStatus() const;

 private:
  std::vector<TFinding> items_;
};

// "FILE:LINE: warning: TEXT"
std::string FormatFinding(const TFinding& f);
// Double quotes around a text from a file.
std::string Quoted(std::string_view text);
