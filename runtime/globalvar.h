// THIGlobalVar: a named value shared by every sub-scheme through one process-wide table.
#pragma once

#include <cstddef>
#include <string_view>

#include "runtime/element.h"

// The shared-variable table. Names compare after ASCII lower-casing; entries are never removed
// while the program runs, so a bound entry's record stays valid.
TData* GlobalVarEntry(std::string_view name);  // finds or appends
std::size_t GlobalVarCount();
// Releases every value and forgets every entry (program exit, and between tests).
void ClearGlobalVars();

class THIGlobalVar : public THIBase {
 public:
  TData* Entry = nullptr;

  virtual void SetValue(const TData& v);
  virtual void SetName(std::string_view name);

  void doValue(TData& data, uint16_t) { SetValue(data); }
  void GetValue(TData& data, uint16_t);
};
