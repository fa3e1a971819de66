#include "app/check/code_file_check.h"

#include "scheme/sheet_keys.h"

namespace {

bool StartsWithDigits(std::string_view text) {
  size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

}  // namespace

std::string UnshownCodeReason(int32_t code) {
  if (!LabelKeyOfCode(code).empty()) return {};
  std::string c = "code " + std::to_string(code);
  if (code < 100) return c + " is below 100 and reaches no table";
  if (code >= 500) return c + " is 500 or more and reaches no table";
  if (code % 100 == 0) return c + " is entry 0 of its table, which no label shows";
  return c + " is outside its table, which has no label for it";
}

void CheckCodeFile(const TSourceText& src, const THIIntegerArray& table, TFindings& findings) {
  if (src.LfOnly) return;  // one line; reported as a whole
  for (size_t n = 0; n < src.Lines.size() && n < table.Size(); ++n) {
    const size_t line = n + 1;
    TNameValue entry = SplitNameValue(src.Lines[n]);
    if (!entry.HasEquals) {
      findings.Warn(src.Name, line,
                    entry.Name.empty()
                        ? "an empty line is an entry with an empty name"
                        : "the line has no \"=\": " + Quoted(entry.Name) + " is a name with code " +
                              std::to_string(table.ItemAt(n)));
      continue;
    }
    int64_t first = table.FindName(entry.Name);
    if (first >= 0 && static_cast<size_t>(first) != n)
      findings.Warn(src.Name, line,
                    "name " + Quoted(entry.Name) + " on lines " + std::to_string(first + 1) +
                        " and " + std::to_string(line) + ": line " + std::to_string(first + 1) +
                        " wins");
    if (!StartsWithDigits(entry.Value)) {
      findings.Warn(src.Name, line,
                    "code " + Quoted(entry.Value) + " has no leading digits and reads as 0");
      continue;
    }
    std::string reason = UnshownCodeReason(table.ItemAt(n));
    if (!reason.empty()) findings.Warn(src.Name, line, reason);
  }
}
