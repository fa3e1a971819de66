#include "app/check/language_check.h"

#include <algorithm>

#include "elements/translator.h"
#include "platform/os.h"
#include "scheme/sheet_keys.h"

namespace {

bool IsMessageKey(std::string_view key) {
  const std::vector<std::string_view> keys = MessageKeys();
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

void CheckLanguageFile(const TSourceText& src, const std::vector<std::string_view>& sheetKeys,
                       TFindings& findings) {
  if (!src.Readable || src.LfOnly) return;                // one line; reported as a whole
  std::map<std::string_view, size_t, std::less<>> first;  // key -> its first line
  for (size_t n = 0; n < src.Lines.size(); ++n) {
    const size_t line = n + 1;
    TLanguageEntry entry = SplitLanguageLine(src.Lines[n]);
    auto [at, isNew] = first.emplace(entry.Key, line);
    if (!entry.HasBar) {
      findings.Warn(src.Name, line,
                    entry.Key.empty()
                        ? "an empty line is an entry with an empty key"
                        : "the line has no \"|\": " + Quoted(entry.Key) + " is both key and text");
      continue;
    }
    if (!isNew) {
      std::string was = std::to_string(at->second);
      findings.Warn(src.Name, line,
                    "key " + Quoted(entry.Key) + " on lines " + was + " and " +
                        std::to_string(line) + ": line " + was + " wins");
    } else if (std::find(sheetKeys.begin(), sheetKeys.end(), entry.Key) == sheetKeys.end() &&
               !IsMessageKey(entry.Key)) {
      findings.Warn(src.Name, line, "key " + Quoted(entry.Key) + " is not used by the sheet");
    }
  }
  for (std::string_view key : sheetKeys)
    if (first.find(key) == first.end())
      findings.Warn(src.Name, 1, "caption key " + Quoted(key) + " is missing");
}

std::vector<std::string> LanguageFileNames() {
  std::vector<std::string> names;
  std::vector<os::DirEntry> entries;
  if (!os::ListFolder(".", entries)) return names;
  for (const os::DirEntry& e : entries)
    if (MatchesMask(e.Name, "*.lng")) names.push_back(e.Name);
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string, std::less<>> LanguageTexts(const TSourceText& src) {
  std::map<std::string, std::string, std::less<>> texts;
  for (std::string_view line : src.Lines) {
    TLanguageEntry entry = SplitLanguageLine(line);
    texts.emplace(std::string(entry.Key), std::string(entry.Text));
  }
  return texts;
}
