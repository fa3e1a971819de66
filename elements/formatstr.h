// THIFormatStr: fills the placeholders %1 .. %N of a template with argument texts; %% is a
// literal percent sign.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/element.h"

class THIFormatStr : public THIBase {
 public:
  std::string Mask;
  int32_t Count = 0;
  TEventArray StrPoint;  // arguments Str1 .. StrN are slots 0 .. N-1
  THI_Event onFormat;

  // Stores Count and sizes the argument points.
  void SetCount(int32_t n);
  void doFormat(TData& data, uint16_t index);
};

// The formatting rule itself: args[0] fills %1, args[1] fills %2, ...
std::string FormatMask(std::string_view mask, const std::vector<std::string>& args);
