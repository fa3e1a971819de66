// The four result boxes: a titled frame with a name label and a value label per row. The value
// labels show the items of the box's shared table; the name labels are highlighted on command or
// under the mouse.
//
// Work point 0: a command chain: 0 regular names, 1 refresh the values from the table, the box's
// own number (2 attributes, 3 skills, 4 proficiencies, 5 other values) bold name k.
// Event point 0: the index of the name label under the mouse.
// Event point 1: the command chain, passed on after the box handled it.
#pragma once

#include <string_view>
#include <vector>

#include "controls/hintmanager.h"
#include "scheme/build.h"
#include "scheme/build_ui.h"

// One row: the name's caption key and place, and the value label's numeric id (box digit x 100
// + item index), which is also its first caption.
struct TResultRow {
  std::string_view Key;
  int32_t Top;
  int32_t NameWidth;
  int32_t NameHeight;
  int32_t Id;
};

struct TResultBoxLayout {
  build::TRect Frame;
  std::string_view Caption;
  std::string_view Table;
  int32_t OwnCommand;
  TData HighlightColor;
  int32_t HoverCount;  // HoverIndex inputs
  int32_t Items;       // ToLabel outputs: items of the table that can have a label
  int32_t ValueLeft;
  int32_t ValueHeight;
  bool ValueAutoSize;
  std::vector<TResultRow> Rows;
  bool Warning = false;  // the warning label and its tool tip (proficiencies)
};

// The layout of box 0 .. 3: attributes, skills, weapon proficiencies, other values (others give
// box 0's).
const TResultBoxLayout& ResultBoxLayout(int box);

class TResultBox : public TSubScheme {
 public:
  THIGroupBox* Frame = nullptr;     // the titled frame; its window holds the labels
  THIEditMulti* Edit = nullptr;     // the boundary: work point 0 in, event points 0 and 1 out
  std::vector<THILabel*> Names;     // by name index; a mouse move reports the index
  std::vector<THILabel*> Values;    // by row, like Names; show the table's items
  THILabel* Warning = nullptr;      // proficiencies only: the warning with its tool tip
  THIHintManager* Hints = nullptr;  // proficiencies only: shows the warning's tool tip
  THIChanelToIndex* HoverIndex = nullptr;   // the hovered name's index, on each mouse move
  THIHub* HoverHub = nullptr;               // a hovered index: out on event point 0, then bold
  THIMultiElement* Highlight = nullptr;     // 0 bolds name k, 1 makes all regular
  THIMemory* HighlightColor = nullptr;      // the colour of the bold name
  THIGlobalVar* Table = nullptr;            // the box's shared table, read on refresh
  THIArrayEnum* Enum = nullptr;             // the table's items, on refresh
  THIIndexToChanel* ToLabel = nullptr;      // item i to its value label
  THIMT_IndexToChanel* Commands = nullptr;  // the command chain, split by its command number
  THIHub* InHub = nullptr;                  // a command chain: handled, then passed on

  // The value label that shows item i of the table, or nullptr.
  THILabel* ValueOfItem(int32_t item) const;

  // Builds box 0 .. 3 from its layout (make function: MakeSubSchemeOf<TResultBox, N>).
  TResultBox(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container, int box);

 private:
  TResultBox(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container,
             const TResultBoxLayout& layout);

  // Construction steps, in order.
  void BuildRows(TControl* parentWindow, THIMultiElement* container,
                 const TResultBoxLayout& layout);
  void BuildWarning();
  void BuildHints();
  void BuildRouting(TControl* parentWindow, const TResultBoxLayout& layout);
  void WireHover();
  void WireCommands(const TResultBoxLayout& layout);
  void WireValues(const TResultBoxLayout& layout);
  void WireFonts();

  int32_t digit_ = 0;
  std::vector<int32_t> ids_;  // value label ids, by row
};
