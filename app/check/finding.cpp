#include "app/check/finding.h"

#include <algorithm>

void TFindings::Warn(const std::string& file, size_t line, std::string text) {
  items_.push_back({file, line, false, std::move(text)});
}

void TFindings::Fail(const std::string& file, size_t line, std::string text) {
  items_.push_back({file, line, true, std::move(text)});
}

void TFindings::Sort() {
  std::stable_sort(items_.begin(), items_.end(), [](const TFinding& a, const TFinding& b) {
    return a.File != b.File ? a.File < b.File : a.Line < b.Line;
  });
}

int TFindings::ExitStatus() const {
  if (items_.empty()) return 0;
  for (const TFinding& f : items_)
    if (f.Error) return 2;
  return 1;
}

std::string FormatFinding(const TFinding& f) {
  return f.File + ":" + std::to_string(f.Line) + (f.Error ? ": error: " : ": warning: ") + f.Text;
}

std::string Quoted(std::string_view text) {
  std::string s = "\"";
  s.append(text);
  s += '"';
  return s;
}
