// The answer code: the answer picked in each question (0 for none) as decimal numbers joined by
// dots, "1.3.2.5.4". The one way every program writes a sheet's answers and reads them back.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "scheme/sheet_counts.h"

using TAnswers = std::array<int, sheet::Questions>;

// The longest answer number a code holds, in digits.
constexpr size_t AnswerCodeDigits = 3;

// The answers of a code: exactly sheet::Questions decimal numbers of 1 to 3 digits joined by
// dots, nothing around them. Also the code behind "a=" at the start of text or right after its
// "#": "a=1.3.2.5.4", "#a=1.3.2.5.4", "page.html#a=1.3.2.5.4". Anything else: none. Whether
// the answers exist in the data is for the sheet to tell.
std::optional<TAnswers> ParseAnswerCode(std::string_view text);
// The answers pasted text holds: the whole text, or else the last of its lines that is one
// (spaces, tabs and line ends around them do not count), as a copied sheet's text, an address
// or a bare code has them. None for text over PastedTextMax bytes.
constexpr size_t PastedTextMax = 64 * 1024;
std::optional<TAnswers> FindAnswerCode(std::string_view text);
// The code of the answers ("0.0.0.0.0" when none is picked).
std::string FormatAnswerCode(const TAnswers& answers);
