// The element tour: a small scheme of our own that uses the elements the hero sheet leaves
// unused. The main form holds a label whose tool tip follows the mouse (a hint manager with
// Tracking), an "Options..." label that shows the options form modal, and a label that shows
// how the options form ended (its modal result). The options form keeps its placement in the
// registry store (Place "HeroSheet\Tour\Options"); its "Font..." label opens the font dialog for
// the sample line below it, "OK" ends it with the result 1, its close box with -1.
#pragma once

#include <string>

#include "controls/font.h"
#include "controls/hintmanager.h"
#include "controls/label.h"
#include "controls/mainform.h"
#include "elements/formatstr.h"
#include "runtime/dodata.h"

class TTourScheme {
 public:
  // Builds every element, hidden; Start(MainForm()) shows the main form. optionsPlace: the
  // registry key (under HKEY_CURRENT_USER\Software) of the options form's placement.
  explicit TTourScheme(std::string optionsPlace = "HeroSheet\\Tour\\Options");
  ~TTourScheme();
  TTourScheme(const TTourScheme&) = delete;
  TTourScheme& operator=(const TTourScheme&) = delete;

  THIMainForm* MainForm() const { return main_; }
  THIMainForm* OptionsForm() const { return options_; }
  // The labels by role: "tracked", "options", "result", "font", "sample", "ok".
  THILabel* Label(const char* role) const;

 private:
  THILabel* NewLabel(THIWin* parent, const char* caption, int top, bool link);

  THIMainForm* main_ = nullptr;
  THIMainForm* options_ = nullptr;
  THILabel *tracked_ = nullptr, *open_ = nullptr, *result_ = nullptr;
  THILabel *fontLink_ = nullptr, *sample_ = nullptr, *ok_ = nullptr;
  THIHintManager hints_;
  THIFont font_;
  THIDoData okResult_;
  THIFormatStr resultText_;
};
