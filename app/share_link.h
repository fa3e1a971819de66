// Shareable answers: the sheet's answers as an answer code (scheme/answer_code.h) or a URL
// fragment ("a=1.3.2.5.4"), read back and committed through the same clicks a user makes.
#pragma once

#include <string>
#include <string_view>

#include "scheme/answer_code.h"

class TSheet;
class TSheetInput;

// The fragment of the answers, "a=" and their code, without "#"; empty when every answer is 0.
std::string AnswerFragment(const TAnswers& answers);
// The checked answer of each question (0 where none is checked).
TAnswers CheckedAnswers(const TSheet& sheet);
// Clicks the answers through input, question 1 first (answer 0 needs no click), then the mouse
// leaves the sheet across an empty spot of the form, leaving no preview behind. When one names no
// shown and enabled answer, the sheet is reset as at start-up and nothing is applied: false.
bool OpenAnswers(TSheet& sheet, TSheetInput& input, const TAnswers& answers);

// Opens an answer code given by a person (a command-line option): the answers clicked through
// input, or, when the code is not one or does not fit the data, a one-line message on standard
// error naming program (also in *message when given), and the sheet as at start-up. True when
// the answers were opened.
bool OpenAnswerCode(TSheet& sheet, TSheetInput& input, std::string_view code,
                    std::string_view program, std::string* message = nullptr);
