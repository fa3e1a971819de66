// THIStrPart: splits a text at the first occurrence of a separator character.
#pragma once

#include <string>

#include "runtime/element.h"

class THIStrPart : public THIBase {
 public:
  std::string Remainder;  // the last input, after a split its right part
  std::string LeftPart;   // left part of the last successful split
  std::string Char;       // separator; only its first character splits
  uint8_t Mode = 0;       // 0: onLeft first; 1: onRight first
  THI_Event StrPoint;
  THI_Event onLeft;
  THI_Event onRight;
  THI_Event onNotFound;

  void doSplit(TData& data, uint16_t index);
  void GetLeft(TData& data, uint16_t index);
};
