// THIPosition: finds a text inside another one (1-based positions, 0 = not found).
#pragma once

#include <string>

#include "runtime/element.h"

class THIPosition : public THIBase {
 public:
  int32_t Position = 0;  // result of the last search
  std::string SubStr;
  int32_t StartPos = 1;
  uint8_t FoundOnly = 0;  // 1: report only when found
  uint8_t Restart = 0;    // 1: every search starts at StartPos; 0: continue after the last match
  THI_Event StartPosPoint;
  THI_Event SubStrPoint;
  THI_Event StrPoint;
  THI_Event onSearch;

  void doSearch(TData& data, uint16_t index);
  void GetPosition(TData& data, uint16_t index);
};
