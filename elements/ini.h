// THIini: reads or writes one key of one section of an ini file.
#pragma once

#include <string>

#include "runtime/element.h"

class THIini : public THIBase {
 public:
  std::string FileName;
  std::string Section;
  std::string Key;
  uint8_t DataType = 0;  // 0: integer value; 1: string value
  THI_Event FileNamePoint;
  THI_Event SectionPoint;
  THI_Event KeyPoint;
  THI_Event ValuePoint;
  THI_Event onRead;

  void doRead(TData& data, uint16_t index);
  void doWrite(TData& data, uint16_t index);
};
