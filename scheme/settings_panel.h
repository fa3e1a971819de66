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

  THIPanel* SettingsPanel;      // the panel: shown and brought up on open, sent back on close
  THIEditMulti* Edit;           // the boundary: work point 0 opens the panel
  THILabel* CloseLabel;         // a click closes the panel
  THILabel* LanguageLabel;      // the caption before the language list
  THIComboBox* LanguageBox;     // the language names; a click is a pick (the name)
  THILabel* RestartNote;        // shown after a pick: saved (restart) or not saved
  THIFileSearch* LangSearch;    // each language file's name, on open
  THIStrPart* NameCut;          // a file name without its extension, into the list
  THIini* ReadLang;             // the saved language, selected on open
  THIini* WriteLang;            // writes a pick to config.ini
  THIMemory* PickMemory;        // the pick, for the check after the write
  THIini* ReadBack;             // what config.ini holds after the write
  THIIf_else* SavedCheck;       // does the read-back equal the pick?
  THIDoData* RestartText;       // the note's caption when the pick was saved
  THIDoData* FailText;          // ... and when it was not
  THIChanelToIndex* PanelShow;  // 0 hides the panel, 1 shows it
  THIChanelToIndex* NoteShow;   // 0 hides the note, 1 shows it
  THIHub* OpenHub;              // open: show, hide the note, bring up, list, select the saved
  THIHub* PickHub;              // a pick: remember, write, read back, show the note
  THIHub* CloseHub;             // close: to the back, hidden

 private:
  // Construction steps, in order.
  void BuildPanel(TControl* parentWindow, THIMultiElement* container);
  void BuildCloseLabel(TControl* panel);
  void BuildLanguageControls(TControl* panel);
  void BuildLanguageStore();
  void WireOpen();
  void WirePick();
  void WireClose();
};
