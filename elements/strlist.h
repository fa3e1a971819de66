// THIStrList: a list of text lines, loaded from a file or filled line by line, readable as an
// Array value over its lines.
#pragma once

#include <memory>
#include <string_view>

#include "elements/array.h"
#include "elements/tstrlist.h"

class THIStrList : public THIBase {
 public:
  TStrList Lines;
  std::string FileName;  // default for doLoad
  THI_Event FileNamePoint;
  THI_Event StrPoint;
  THI_Event onChange;

  // Replaces the lines by the lines of text.
  void SetStrings(std::string_view text) { Lines.SetText(text); }

  void doAdd(TData& data, uint16_t index);
  void doClear(TData& data, uint16_t index);
  void doLoad(TData& data, uint16_t index);
  // An Array value over the lines: Get(i) is line i as a string.
  void GetArray(TData& data, uint16_t index);

  // The array interface over the lines.
  void ArrSet(const TData& index, const TData& value);
  bool ArrGet(const TData& index, TData& result);
  int32_t ArrCount() const { return static_cast<int32_t>(Lines.Count()); }
  void ArrAdd(const TData& value);

 private:
  std::unique_ptr<TArrayIntf> ArrayView;  // made on the first read of Array
};
