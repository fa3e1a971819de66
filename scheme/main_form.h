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

  THITranslator Localization;       // the caption of every key, in the saved language
  THIMainForm* mainForm;            // the window: its creation starts up, its mouse moves un-hover
  THIMultiElement* settingsPanel;   // the settings panel; work point 0 opens it
  THIMultiElement* proficiencyBox;  // result box 2: box commands in, hovered row and chain out
  THIMultiElement* attributesBox;   // result box 0: the head of the box chain
  THIMultiElement* skillsBox;       // result box 1
  THIMultiElement* otherBox;        // result box 3: the end of the box chain
  THIHub* hoverHub;  // a changed hover: regular box names, then regular answer captions
  THIMultiElement* governingAttribute;  // a hovered skill row to its attribute's label
  THIMultiElement* governedSkills;      // a hovered attribute row to its skills' labels
  THIMultiElement* question1;           // questions 1 .. 5: command chain in and on, reports out
  THIMultiElement* question2;
  THIMultiElement* question3;
  THIMultiElement* question4;
  THIMultiElement* question5;
  THIMultiElement* resultTables;         // work point 0: zeroes and publishes the four tables
  THIHub* commitHub;                     // a commit: reset tables, re-apply answers, refresh boxes
  THIChangeMon* hoverFilter;             // hover reports and form moves; passes only a change
  THIHub* startHub;                      // start-up: load the answer lines, reset the questions
  THIMultiElement* choiceLoader;         // work point 0 in; line commands out to question1
  THIMultiElement* derivedValues;        // the end of the question chain: derives on a re-apply
  THIMT_IndexToChanel* reportSwitch;     // reports [channel, values...] split by channel
  THIMultiElement* relatedLabels;        // hovered rows in; box highlight reports out
  THIMT_ChanelToIndex* questionCommand;  // a plain command number into the question chain
  THIMT_ChanelToIndex* boxCommand;       // a command number into the box chain
  THILabel* clearLabel;                  // a click sends every question back to answer 0
  THILabel* settingsLabel;               // a click opens the settings panel

 private:
  // Construction steps, in order.
  void LoadLanguage();
  void BuildForm();
  void BuildElements(TControl* form);
  void WireQuestions();
  void WireReports();
  void WireBoxes();
  void MakeSubSchemes();
  // Tab positions for keyboard use: the questions, the command labels, the panel's controls.
  void SetKeyboardOrder();
  // Roles, names and descriptions for assistive technology: rows as items, answers described
  // by what they would change, the command labels as buttons, the panel as a dialog.
  void DescribeForAccess();
};
