// Construction helpers for the window elements of the hero sheet's schemes, in the style of
// build.h: each creates the element in scheme s on a parent window, sets the properties the
// schemes give it, runs Init where the schemes do, and returns it for linking.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/font.h"
#include "controls/groupbox.h"
#include "controls/label.h"
#include "controls/radiobutton.h"
#include "runtime/scheme.h"

namespace build {

// The pale cream background of every control of the sheet.
constexpr uint32_t SheetColor = 0xF0FBFF;

struct TRect {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

// "MS Sans Serif" in the given size, style, colour and character set.
TFontRec SansSerif(uint8_t size, uint8_t style, uint32_t color, uint8_t charSet);

// The caption of a key in the loaded language (the key itself when it has none).
std::string Tr(std::string_view key);
// Has every key Tr is asked for passed to watcher as well (nullptr: to none); for tests that
// list the keys the sheet translates.
void WatchTranslatedKeys(void (*watcher)(std::string_view key));

// A font source with ShowDialog off.
THIFont* Font(TScheme& s, const TFontRec& font);

// A titled frame, initialised.
THIGroupBox* GroupBox(TScheme& s, TControl* parent, TRect r, const TFontRec& font,
                      std::string_view caption);

// A label, initialised. alignment: taLeft, taRight, taCenter.
THILabel* Label(TScheme& s, TControl* parent, TRect r, const TFontRec& font,
                std::string_view caption, bool autoSize, uint8_t alignment);

// A radio button, initialised. selected: 0 starts checked, 1 unchecked.
THIRadioButton* RadioButton(TScheme& s, TControl* parent, TRect r, const TFontRec& font,
                            std::string_view caption, int32_t selected);

}  // namespace build
