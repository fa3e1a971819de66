#include "elements/filesearch.h"

#include <vector>

#include "platform/os.h"

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

bool MatchMask(std::string_view name, std::string_view mask) {
  // Greedy matching with one back-tracking point (the last '*'): linear in practice and never
  // exponential, whatever the mask.
  size_t n = 0, m = 0;
  size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() &&
               (mask[m] == '?' || (mask[m] == '#' && name[n] >= '0' && name[n] <= '9') ||
                (mask[m] != '#' && mask[m] == name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*')
    ++m;
  return m == mask.size();
}

namespace {
// Folders nested deeper than this are not entered (a guard against link loops).
constexpr int kMaxDepth = 128;
}  // namespace

void THIFileSearch::doSearch(TData& data, uint16_t) {
  std::string folder = ReadString(data, DirPoint, Dir);
  CurrentMask = LowerAscii(ReadString(data, ExtPoint, Ext));
  if (folder.empty()) return;
  if (!os::IsPathSeparator(folder.back())) folder.push_back(os::PathSeparator());
  if (CurrentMask.empty()) CurrentMask.assign(1, '*');
  Stop = false;
  Count = 0;
  SearchFolder(folder, 0);
  RedirectInteger(data, onEndSearch, Count);
}

void THIFileSearch::doStop(TData&, uint16_t) {
  Stop = true;
}

void THIFileSearch::SearchFolder(const std::string& folder, int depth) {
  std::vector<os::DirEntry> entries;
  if (!os::ListFolder(folder, entries)) return;
  const char sep = os::PathSeparator();
  for (const os::DirEntry& e : entries) {
    if (Stop) return;
    if (e.Name.empty() || e.Name[0] == '.') continue;
    std::string name = e.Name.size() > 259 ? e.Name.substr(0, 259) : e.Name;
    if (e.IsFolder) {
      if (Include == 1 || Include == 2) FireString(onSearch, FullName == 1 ? folder + name : name);
      if (SubDir == 0 && !e.IsLink && depth < kMaxDepth)
        SearchFolder(folder + name + sep, depth + 1);
    } else if (MatchMask(LowerAscii(name), CurrentMask)) {
      ++Count;
      if (Include != 1) FireString(onSearch, FullName == 1 ? folder + name : name);
    } else {
      FireString(onOther, folder + sep + name);
    }
  }
}
