// The findings and the answer-effects table as one JSON document, for tools.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/check/answer_effects_table.h"
#include "app/check/finding.h"

std::string JsonReport(const TFindings& findings, const std::vector<TListTable>& lists,
                       const TTexts* english);
// A JSON string literal of text; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view text);
