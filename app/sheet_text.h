// The sheet as plain text for a forum post or a note, in the sheet's current language (UTF-8,
// lines ending in "\n"):
//
//   Gender: Male                      one line per question: its caption, the checked answer
//   Your father was: An old soldier
//   ...
//                                     an empty line
//   Attributes                        per result box with changed rows: its caption, then
//     Strength: 6                     each row whose value differs from the sheet with no
//     Agility: 5                      answers, indented by two spaces: name, value
//                                     an empty line
//   1.3.0.0.0                         the answer code
//   https://.../herosheet.html#a=1.3.0.0.0   with an address: the address and "#a=" code
//
// Line breaks inside a caption become spaces.
#pragma once

#include <string>
#include <string_view>

class TSheet;

// address: where the program is a page, its address without the fragment; else empty.
std::string SheetText(const TSheet& sheet, std::string_view address = {});
