// THIFileSearch: lists the files (or folders) of a folder whose names match a mask.
#pragma once

#include <string>
#include <string_view>

#include "runtime/element.h"

// Whole-name match: '*' any run (also none), '?' any one character, '#' one decimal digit,
// every other character itself (bytes compared as they are; lower-case both sides first).
bool MatchMask(std::string_view name, std::string_view mask);
// Lower-cases the letters A-Z only.
std::string LowerAscii(std::string_view s);

class THIFileSearch : public THIBase {
 public:
  int32_t Count = 0;  // matching files of the last search
  bool Stop = false;  // ends the listing loop when set; cleared when a search starts
  std::string CurrentMask;
  std::string Ext;       // the mask
  std::string Dir;       // the folder
  uint8_t SubDir = 0;    // 0: also every subfolder; 1: this folder only
  uint8_t FullName = 0;  // 0: bare name; 1: folder path followed by the name
  uint8_t Include = 0;   // 0: files; 1: folders; 2: both
  THI_Event DirPoint;
  THI_Event ExtPoint;
  THI_Event onEndSearch;
  THI_Event onSearch;
  THI_Event onOther;

  void doSearch(TData& data, uint16_t index);
  // Sets the stop flag: a running search ends after the current entry.
  void doStop(TData& data, uint16_t index);

 private:
  void SearchFolder(const std::string& folder, int depth);
};
