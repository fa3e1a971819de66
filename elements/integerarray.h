// THIIntegerArray: an array of signed 32-bit items loaded from a text or raw file.
#pragma once

#include <string_view>

#include "elements/array.h"

class THIIntegerArray : public TArray {
 public:
  int32_t ToItem(const TData& v) override;
  void FromItem(int32_t item, TData& v) override;
  bool Compare(int32_t a, int32_t b) override { return a > b; }
  int32_t LoadItem(std::string_view text) override { return ParseInt(text); }

  // Replaces the items by the contents of the file named by FileName (missing file: no change).
  void doLoad(TData& data, uint16_t index);
  void doClear(TData& data, uint16_t index);
  // An Array value referring to this array.
  void GetArray(TData& data, uint16_t index);

  // Appending the entries of text already in memory (name=value lines, or raw 4-byte items).
  void LoadText(std::string_view text);
  void LoadRaw(std::string_view bytes);
};
