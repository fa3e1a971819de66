// The private-profile ini format on text in memory: lookup of a key and in-place update.
// Used by the POSIX implementation of the profile calls; free of any file access.
//
// Format: a line whose first non-blank is '[' opens a section named by the text up to the last
// ']' (blanks around the name trimmed); the lines before the first header form the section "".
// In a section, a line "key=value" holds a key; a line without '=' names a key without a value
// (a read finds nothing there, a write gives it one); a line whose first non-blank is ';' is a
// comment. Names match case-insensitively (ASCII letters), keys and values are trimmed of blanks
// (space and tab), and a value enclosed in matching single or double quotes is read without them.
// Duplicates: only the first section of a name is read or written, and in it the first line of
// a key decides. Lines end with LF, CR LF or a lone CR.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace os::profile {

// The raw (trimmed, unquoted) value of key in section, or nothing when the key is missing.
std::optional<std::string> Lookup(std::string_view text, std::string_view section,
                                  std::string_view key);

// True when section, key and value can be written: key not empty and without '=', neither
// starting with '[' or ';'; section without ']'; no CR or LF in any of them.
bool CanWrite(std::string_view section, std::string_view key, std::string_view value);

// The text with key in section set to value (its leading blanks dropped): an existing key's line
// is replaced in place (keeping its line end), a new key goes after the last non-blank line of
// the first section of that name (for the section "" with no such line: at the top), a new
// section goes at the end; new names are written less their leading blanks only, as the Windows
// call writes them. Every other byte is kept. newLine is used for lines added where the text
// does not show its own line end style.
std::string Update(std::string_view text, std::string_view section, std::string_view key,
                   std::string_view value, std::string_view newLine = "\r\n");

// A value read as an integer: an optional sign, then "0x", "0o" or "0b" for base 16, 8 or 2,
// else decimal; the digits of that base up to the first other byte; wrapping at 32 bits. Text
// without digits reads as 0.
int32_t ToInt(std::string_view value);

// A default as a read answers it: cut at a zero byte, trailing spaces (not tabs, never the first
// byte) dropped, then one pair of matching quotes taken off.
std::string_view DefaultText(std::string_view deflt);

// Names compare like this: ASCII letters without case, every other byte exactly.
bool EqualNoCase(std::string_view a, std::string_view b);
// Cuts s at its first zero byte (the API takes C strings).
std::string_view CutAtZero(std::string_view s);

}  // namespace os::profile
