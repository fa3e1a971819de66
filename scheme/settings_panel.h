// The settings panel: covers the main form's client area; lists the language files of the
// current folder with the saved language selected, saves a pick to config.ini and shows the
// restart note, or a note that the pick could not be saved when config.ini does not read back
// as the pick. Hidden until opened.
//
// Work point 0: open the panel (the incoming value is not used).
#pragma once

#include <string_view>

#include "controls/panel.h"
#include "controls/winlist.h"
#include "elements/filesearch.h"
#include "elements/ini.h"
#include "scheme/build.h"
#include "scheme/build_ui.h"

// The caption keys of the panel: the close label, the language label, the notes after a pick.
inline constexpr std::string_view ExitKey = "btn_exit";
inline constexpr std::string_view LocalizationKey = "btn_localization";
inline constexpr std::string_view RestartKey = "btn_msg_restart";
inline constexpr std::string_view NotSavedKey = "btn_msg_not_saved";

class TSettingsPanel : public TSubScheme {
 public:
  TSettingsPanel(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container);

  THIPanel* SettingsPanel;
  THIEditMulti* Edit;
  THILabel* CloseLabel;
  THILabel* LanguageLabel;
  THIComboBox* LanguageBox;
  THILabel* RestartNote;
  THIFileSearch* LangSearch;
  THIStrPart* NameCut;
  THIini* ReadLang;
  THIini* WriteLang;
  THIMemory* PickMemory;  // the pick, for the check after the write
  THIini* ReadBack;       // what config.ini holds after the write
  THIIf_else* SavedCheck;
  THIDoData* RestartText;  // the note's caption when the pick was saved
  THIDoData* FailText;     // ... and when it was not
  THIChanelToIndex* PanelShow;
  THIChanelToIndex* NoteShow;
  THIHub* OpenHub;
  THIHub* PickHub;
  THIHub* CloseHub;
};
