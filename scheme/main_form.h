// The main form scheme: the window with the five question groups, the four result boxes, the
// clear and settings labels and the settings panel, and the wiring between them.
//
// Commands to the questions travel from questionCommand (0 regular captions, 1 back to answer 0,
// 2 re-apply) or from the choice loader (line commands) through question1 .. question5 into the
// score store. Commands to the boxes travel from boxCommand through attributes, skills,
// proficiencies and other values. Reports [channel, values...] of the questions and of the score
// router are split by reportSwitch: 0 a commit, 1 a hover, 2 .. 5 box highlights.
#pragma once

#include <string_view>

#include "controls/mainform.h"
#include "elements/translator.h"
#include "runtime/changemon.h"
#include "scheme/build.h"
#include "scheme/build_ui.h"

// The caption keys of the two command labels.
inline constexpr std::string_view ClearKey = "btn_clear";
inline constexpr std::string_view SettingsKey = "btn_settings";

class TMainForm : public TScheme {
 public:
  TMainForm();
  ~TMainForm() override;

  THITranslator Localization;
  THIMainForm* mainForm;
  THIMultiElement* settingsPanel;
  THIMultiElement* proficiencyBox;
  THIMultiElement* attributesBox;
  THIMultiElement* skillsBox;
  THIMultiElement* otherBox;
  THIHub* hoverHub;
  THIMultiElement* governingAttribute;
  THIMultiElement* governedSkills;
  THIMultiElement* question1;
  THIMultiElement* question2;
  THIMultiElement* question3;
  THIMultiElement* question4;
  THIMultiElement* question5;
  THIMultiElement* resultTables;
  THIHub* commitHub;
  THIChangeMon* hoverFilter;
  THIHub* startHub;
  THIMultiElement* choiceLoader;
  THIMultiElement* derivedValues;
  THIMT_IndexToChanel* reportSwitch;
  THIMultiElement* relatedLabels;
  THIMT_ChanelToIndex* questionCommand;
  THIMT_ChanelToIndex* boxCommand;
  THILabel* clearLabel;
  THILabel* settingsLabel;

 private:
  // Tab positions for keyboard use: the questions, the command labels, the panel's controls.
  void SetKeyboardOrder();
};

// The scheme of the running program, or nullptr.
extern TMainForm* MainScheme;
