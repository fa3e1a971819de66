// The choice loader: reads "array.ini" (name=code lines) and "choice.ini" (answer lines in blocks)
// from the current folder and hands every block's lines on as line commands.
//
// Work point 0: load and distribute (the incoming value is not used).
// Event point 0: one line command per stored answer line, the chain [3 + b, "W code V"], b being
// the number of the block (0 .. 6, counted by its end line, wrapping after 6).
#pragma once

#include <string_view>

#include "scheme/build.h"
#include "scheme/sheet_counts.h"

// The names and markers the loader reads by; the data checker reads by the same ones.
namespace choice_format {
inline constexpr std::string_view CodeFile = "array.ini";
inline constexpr std::string_view ChoiceFile = "choice.ini";
inline constexpr std::string_view EndMark = "-- end";        // anywhere in a line: closes a block
inline constexpr std::string_view HeaderMark = "-- choice";  // at a line's start: opens a block
inline constexpr int Blocks = sheet::Blocks;                 // block numbers wrap after Blocks - 1
inline constexpr int FirstLineCommand = sheet::FirstLineCommand;  // block b: line command 3 + b
}  // namespace choice_format

class TChoiceLoader : public TSubScheme {
 public:
  TChoiceLoader(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIEditMulti* Edit;
  THIHub* StartHub;
  THIIntegerArray* CodeTable;
  THIStrList* ChoiceFile;
  THIArrayEnum* LineEnum;
  THIHub* LineHub;
  THIPosition* EndMark;
  THIPosition* ChoiceMark;
  THIMemory* InBlock;
  THIHub* EndHub;
  THIIf_else* NotHeader;
  THIIf_else* InBlockTest;
  THILength* LineLength;
  THIIf_else* NonEmpty;
  THIStrPart* AnswerSplit;
  THIIf_else* SkipDash;
  THIStrPart* NameSplit;
  THIArrayRW* CodeRead;
  THIFormatStr* LineFormat;
  THIStrList* Block;
  THIArrayEnum* BlockEnum;
  THICounter* BlockNo;
  THIIndexToChanel* ToCommand;
  THIMT_ChanelToIndex* Command;
};
