#include "runtime/globalvar.h"

#include <cstddef>
#include <deque>
#include <string>
#include <unordered_map>

namespace {

struct Table {
  std::deque<TData> values;  // stable addresses
  std::unordered_map<std::string, TData*> byName;
};

Table& table() {
  static Table t;
  return t;
}

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

}  // namespace

TData* GlobalVarEntry(std::string_view name) {
  Table& t = table();
  std::string key = Lower(name);
  auto it = t.byName.find(key);
  if (it != t.byName.end()) return it->second;
  t.values.emplace_back();
  TData* entry = &t.values.back();
  t.byName.emplace(std::move(key), entry);
  return entry;
}

std::size_t GlobalVarCount() {
  return table().values.size();
}

void ClearGlobalVars() {
  Table& t = table();
  t.byName.clear();
  t.values.clear();
}

void THIGlobalVar::SetValue(const TData& v) {
  if (Entry) CopyValue(*Entry, v);
}

void THIGlobalVar::SetName(std::string_view name) {
  Entry = name.empty() ? nullptr : GlobalVarEntry(name);
}

void THIGlobalVar::GetValue(TData& data, uint16_t) {
  if (Entry)
    CopyValue(data, *Entry);
  else
    SetNull(data);
}
