// Shareable answers: the five answers of the sheet as a URL fragment ("a=1.3.2.5.4", answer 0
// being the unanswered one), read back and committed through the same clicks a user makes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "scheme/sheet_counts.h"

class TSheet;
class TSheetInput;

using TAnswers = std::array<int, sheet::Questions>;

// The answers of a fragment ("#" in front or not): exactly "a=" and five decimal numbers of at
// most three digits joined by dots. Anything else: none.
std::optional<TAnswers> ParseAnswers(std::string_view fragment);
// The fragment of the answers, without "#"; empty when every answer is 0.
std::string FormatAnswers(const TAnswers& answers);
// The checked answer of each question (0 where none is checked).
TAnswers CheckedAnswers(const TSheet& sheet);
// Clicks the answers through input, question 1 first (answer 0 needs no click). When one names
// no shown and enabled answer, the sheet is reset as at start-up and nothing is applied: false.
bool OpenAnswers(TSheet& sheet, TSheetInput& input, const TAnswers& answers);
