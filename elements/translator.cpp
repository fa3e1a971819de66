#include "elements/translator.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "elements/inifile.h"
#include "platform/file_layout.h"
#include "platform/os.h"
#include "platform/registry.h"

namespace {

struct TTable {
  std::vector<std::string> Keys, Texts;
  std::unordered_map<std::string, size_t> First;  // key -> its first line
};

std::unique_ptr<TTable> g_table;

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

void BuildTable(const TStrList& lines) {
  auto t = std::make_unique<TTable>();
  for (size_t i = 0; i < lines.Count(); ++i) {
    TLanguageEntry entry = SplitLanguageLine(lines.Line(i));
    std::string key(entry.Key);
    std::string text(entry.Text);
    t->First.emplace(key, t->Keys.size());  // a repeated key keeps its first line
    t->Keys.push_back(std::move(key));
    t->Texts.push_back(std::move(text));
  }
  g_table = std::move(t);
}

}  // namespace

TLanguageEntry SplitLanguageLine(std::string_view line) {
  size_t bar = line.find('|');
  if (bar == std::string_view::npos) return {line, line, false};
  return {line.substr(0, bar), line.substr(bar + 1), true};
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  // Iterative wildcard match with one back-track point for the last '*'.
  size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {  // before the literal test: a '*' in the name
      starM = m++;
      starN = n;
    } else if (m < mask.size() && (mask[m] == '?' || Lower(mask[m]) == Lower(name[n]))) {
      ++n;
      ++m;
    } else if (starM != std::string_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*')
    ++m;
  return m == mask.size();
}

void THITranslator::Load() {
  g_table.reset();
  if (!Language.empty()) {
    BuildTable(BuiltIn);
    return;
  }
  std::string chosen;
  if (Storage == 1) {
    TIniFile ini(os::SettingsFolder() + IniFile);
    ini.Mode = TIniFile::ReadMode;
    ini.Section = Section;
    chosen = ini.ValueString(Key, "");
  } else if (Storage == 0) {
    // IniFile names the root, Section the key path, Key the value; an unknown root reads nothing.
    if (auto root = os::RegistryRootNamed(IniFile))
      chosen = os::ReadRegistryString(*root, Section, Key).value_or("");
  }
  std::string folder = os::LanguageFolder() + Folder;
  if (folder.empty() || !os::IsPathSeparator(folder.back())) folder += os::PathSeparator();
  std::vector<os::DirEntry> entries;
  if (!os::ListFolder(folder, entries)) return;
  for (const os::DirEntry& e : entries) {
    if (!MatchesMask(e.Name, "*.lng")) continue;
    size_t dot = e.Name.rfind('.');
    if (e.Name.compare(0, dot, chosen) != 0 || chosen.size() != dot) continue;
    // A file bigger than any real language file is taken for a missing one: no table.
    std::string path = folder + e.Name;
    if (os::FileExists(path) && !os::FileWithin(path, os::kLanguageFileMax)) return;
    TStrList lines;
    lines.LoadFromFile(path, os::kLanguageFileMax);  // an unreadable file gives an empty table
    BuildTable(lines);
    return;
  }
}

std::string Translate(std::string_view key) {
  if (!g_table) return std::string(key);
  auto it = g_table->First.find(std::string(key));
  if (it == g_table->First.end()) return std::string(key);
  return g_table->Texts[it->second];
}

bool TranslationLoaded() {
  return g_table != nullptr;
}
size_t TranslationCount() {
  return g_table ? g_table->Keys.size() : 0;
}
void ClearTranslation() {
  g_table.reset();
}
