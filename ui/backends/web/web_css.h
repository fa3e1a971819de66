// CSS values of the web backend: fonts, colours and cursors of the window layer as style
// texts. Plain C++ (no browser needed), so that the mapping is tested with the other suites.
#pragma once

#include <cstdint>
#include <string>

#include "ui/fontrec.h"

// "#rrggbb" of a Win32 colour value (system colours in the classic scheme).
std::string CssColor(uint32_t color);
// The CSS font shorthand of f at 96 DPI: "[italic ][bold ]<px>px \"<family>\", <fallbacks>".
// The family is mapped as the other drawing backends map it; the size is the character
// height in pixels (8 pt -> 11px), never a point size.
std::string CssFont(const TFontRec& f);
// The text-decoration value of f's style ("none", "underline", "line-through" or both).
std::string CssDecoration(const TFontRec& f);
// The CSS cursor of a cursor id (0 and unknown ids: "default").
std::string CssCursor(int32_t cursor);
// The text-align value of a label alignment.
std::string CssAlign(uint8_t alignment);
