// The effects of every answer of the seven lists, worked out by the sheet's own sub-schemes: the
// choice loader fills the lists from the current folder's files, and each answer is applied
// alone to freshly zeroed result tables. Printed as Markdown tables.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "scheme/sheet_keys.h"

using TTexts = std::map<std::string, std::string, std::less<>>;

struct TEffect {
  int32_t Code = 0;  // 100 x table + entry
  int32_t Amount = 0;
};

struct TAnswerRow {
  int Answer = 0;
  std::string_view Key;
  std::vector<TEffect> Effects;
};

struct TListTable {
  int Block = 0;
  TAnswerList List;
  std::vector<std::string> Stored;  // the lines the loader gave the list
  std::vector<TAnswerRow> Answers;
};

// Runs the loader in the current folder and applies every answer of every list.
std::vector<TListTable> ComputeAnswerEffects();

// The name of code: its label's text in english, else the code itself.
std::string CodeName(int32_t code, const TTexts* english);
// The caption text of key in english, else the key.
std::string CaptionText(std::string_view key, const TTexts* english);
// "+2 Strength, -1 Honour"; "" for none.
std::string EffectsText(const std::vector<TEffect>& effects, const TTexts* english);
// "Question 2, male list: Your father was"
std::string ListTitle(const TAnswerList& list, const TTexts* english);
// One Markdown table per list.
std::string EffectsMarkdown(const std::vector<TListTable>& lists, const TTexts* english);
