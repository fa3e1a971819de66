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

  THIEditMulti* Edit;            // the boundary: work point 0 loads, event point 0 line commands
  THIHub* StartHub;              // load both files, walk the lines, drop both files
  THIIntegerArray* CodeTable;    // array.ini: the code of each name
  THIStrList* ChoiceFile;        // choice.ini: the lines to walk
  THIArrayEnum* LineEnum;        // each line of choice.ini, in order
  THIHub* LineHub;               // a line: end test, header test, answer-line test
  THIPosition* EndMark;          // fires when the line holds the end marker
  THIPosition* ChoiceMark;       // the header marker's position in the line (1: at its start)
  THIMemory* InBlock;            // 1 while inside a block
  THIHub* EndHub;                // an end line: send the block, empty it, close it
  THIIf_else* NotHeader;         // passes a line that is not a header
  THIIf_else* InBlockTest;       // ... that is inside a block
  THILength* LineLength;         // ... its length, for the next test
  THIIf_else* NonEmpty;          // ... that is not empty
  THIStrPart* AnswerSplit;       // a line at its first space: the answer number, the rest
  THIIf_else* SkipDash;          // passes the rest unless the answer number is "-"
  THIStrPart* NameSplit;         // "name=V": the name to look up, then V
  THIArrayRW* CodeRead;          // the code of the name
  THIFormatStr* LineFormat;      // "W code V", into the block
  THIStrList* Block;             // the stored lines of the open block
  THIArrayEnum* BlockEnum;       // each stored line, when the block ends
  THICounter* BlockNo;           // the block's number, stepped after each block
  THIIndexToChanel* ToCommand;   // a stored line to the channel of its block
  THIMT_ChanelToIndex* Command;  // [3 + block, line], out on event point 0

 private:
  // Construction steps, in order.
  void BuildLineTests();
  void BuildLineStore();
  void WireLoad();
  void WireLineTests();
  void WireBlockEnd();
  void WireAnswerLine();
};
