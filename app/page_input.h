// What the page takes from outside the program before it opens data: the ?data= address, data
// files picked or dropped, and the messages it shows when it refuses one (platform-free, so the
// decisions are tested and fuzzed natively).
#pragma once

#include <string>
#include <string_view>

#include "scheme/sheet_keys.h"

// The folder to fetch choice.ini and array.ini from, or why the parameter is refused (one of
// the keys above). Both empty when there is no parameter.
struct TDataAddress {
  std::string Folder;  // absolute, of the page's origin, ending in '/'
  std::string_view Refusal;
};

// page: the page's address (http or https); param: the decoded ?data= value. Accepted: a path
// relative to the page's folder, an absolute path, or an http(s) address of the page's own
// origin, without query, fragment, blanks, control characters or backslashes.
TDataAddress CheckDataAddress(std::string_view page, std::string_view param);

// Whether the pair reads as data: choice.ini opens and closes a block (lines split at CR or
// CR LF), array.ini names a value, both in the part before any NUL byte (the loaders ignore the
// rest).
bool IsDataPair(std::string_view choice, std::string_view array);

// The text of a page message key in the current language (English when the language file has
// none); empty for a key that is not a page message.
std::string PageMessage(std::string_view key);
