#include "scheme/result_boxes.h"

#include <string>

#include "scheme/highlight.h"

using build::ContainerWork;
using build::ParentEvent;

TResultBox::TResultBox(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container,
                       const TResultBoxLayout& layout)
    : TSubScheme(parentScheme) {
  digit_ = layout.OwnCommand - 1;
  BuildRows(parentWindow, container, layout);
  if (layout.Warning) {
    BuildWarning();
    BuildHints();
  }
  BuildRouting(parentWindow, layout);
  WireHover();
  WireCommands(layout);
  WireValues(layout);
  WireFonts();
  if (Warning) Warning->AttachHints(Hints->Manager());

  Highlight->SetMake(&MakeSubScheme<THighlight>);
}

void TResultBox::BuildRows(TControl* parentWindow, THIMultiElement* container,
                           const TResultBoxLayout& layout) {
  const TFontRec font = build::SansSerif(8, 0, 0, 204);

  Frame = build::GroupBox(*this, parentWindow, layout.Frame, font, build::Tr(layout.Caption));
  Edit = MakeBoundary(container, 1);
  for (const TResultRow& row : layout.Rows) {
    ids_.push_back(row.Id);
    Names.push_back(build::Label(*this, Frame->Control, {5, row.Top, row.NameWidth, row.NameHeight},
                                 font, build::Tr(row.Key), false, taRight));
    Values.push_back(build::Label(*this, Frame->Control,
                                  {layout.ValueLeft, row.Top, 22, layout.ValueHeight}, font,
                                  std::to_string(row.Id), layout.ValueAutoSize, taLeft));
  }
}

void TResultBox::BuildWarning() {
  Warning = Add<THILabel>(Frame->Control);
  Warning->Left = 95;
  Warning->Top = 0;
  Warning->Width = 24;
  Warning->Height = 17;
  Warning->Color = build::SheetColor;
  Warning->Font = build::SansSerif(8, fsBold, 0, 1);
  Warning->HoverColor = 255;
  Warning->HoverCursor = 0;
  Warning->HoverUnderline = 0;
  Warning->HintTitle = "Ахтунг";
  Warning->HintIcon = 2;
  Warning->Hint =
      "так как формула расчета\r\n"
      "применения очков навыков\r\n"
      "пока не выяснена - цифры\r\n"
      "навыков просто показывают,\r\n"
      "сколько очков будет\r\n"
      "распределено игрой.";
  Warning->Caption = "(!!!)";
  Warning->SetAutoSize(true);
  Warning->SetAlignment(taLeft);
  Warning->Init();
}

void TResultBox::BuildHints() {
  Hints = Add<THIHintManager>();
  Hints->Name = "name1";
  Hints->Balloon = 1;
  Hints->BackColor = clInfoBk;
  Hints->TextColor = clInfoText;
  Hints->InitialDelay = 500;
  Hints->AutoPopDelay = 10000;
  Hints->Margin = 0;
  Hints->Tracking = false;
  TFontRec tip;
  tip.Name = "Tahoma";
  tip.Size = 8;
  tip.CharSet = 1;
  Hints->Font = tip;
}

void TResultBox::BuildRouting(TControl* parentWindow, const TResultBoxLayout& layout) {
  HoverIndex = build::ChanelToIndex(*this, layout.HoverCount);
  HoverHub = build::Hub(*this, 2);
  Highlight = build::Container(*this, parentWindow, THighlight::Items, 1);
  HighlightColor = build::Memory(*this, layout.HighlightColor);
  Table = build::GlobalVar(*this, layout.Table);
  Enum = build::ArrayEnum(*this, 0);
  ToLabel = build::IndexToChanel(*this, layout.Items);
  Commands = build::MTIndexToChanel(*this, layout.OwnCommand + 1);
  InHub = build::Hub(*this, 2);

  Enum->ArrayPoint = MakeEvent<&THIGlobalVar::GetValue>(Table);
  ToLabel->IndexPoint = MakeEvent<&THIArrayEnum::GetIndex>(Enum);
  Highlight->Data[0] = MakeEvent<&THIMemory::GetValue>(HighlightColor);
}

void TResultBox::WireHover() {
  // Mouse over name k: report it, then bold.
  for (size_t k = 0; k < Names.size(); ++k)
    Names[k]->onMouseMove =
        MakeEvent<&THIChanelToIndex::doEvent>(HoverIndex, static_cast<uint16_t>(k));
  HoverIndex->onIndex = MakeEvent<&THIHub::doEvent>(HoverHub);
  HoverHub->onEvent[0] = ParentEvent(Edit, 0);
  HoverHub->onEvent[1] = ContainerWork(Highlight, 0);
}

void TResultBox::WireCommands(const TResultBoxLayout& layout) {
  // Commands, then pass the chain on.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(InHub);
  InHub->onEvent[0] = MakeEvent<&THIMT_IndexToChanel::doEvent>(Commands);
  InHub->onEvent[1] = ParentEvent(Edit, 1);
  // Regular names, refresh, bold name k.
  Commands->onEvent[0] = ContainerWork(Highlight, 1);
  Commands->onEvent[1] = MakeEvent<&THIArrayEnum::doEnum>(Enum);
  Commands->onEvent[static_cast<size_t>(layout.OwnCommand)] = ContainerWork(Highlight, 0);
}

void TResultBox::WireValues(const TResultBoxLayout& layout) {
  // Item i of the table to its value label.
  Enum->onItem = MakeEvent<&THIIndexToChanel::doEvent>(ToLabel);
  for (int32_t i = 0; i < layout.Items; ++i)
    if (THILabel* value = ValueOfItem(i))
      ToLabel->onEvent[static_cast<size_t>(i)] = MakeEvent<&THILabel::doText>(value);
}

void TResultBox::WireFonts() {
  for (size_t k = 0; k < Names.size(); ++k)
    Highlight->onEvent[k] = MakeEvent<&THIWin::doFont>(Names[k]);
}

THILabel* TResultBox::ValueOfItem(int32_t item) const {
  for (size_t r = 0; r < ids_.size() && r < Values.size(); ++r)
    if (ids_[r] == digit_ * 100 + item) return Values[r];
  return nullptr;
}

namespace {

const TResultBoxLayout& AttributesLayout() {
  static const TResultBoxLayout layout = {{125, 0, 125, 100},
                                          "ca_caption",
                                          "attrib",
                                          2,
                                          MakeString("16711680"),
                                          5,
                                          5,
                                          100,
                                          17,
                                          false,
                                          {{"ca_strength", 15, 90, 17, 101},
                                           {"ca_agility", 30, 90, 17, 102},
                                           {"ca_intelligence", 45, 90, 17, 103},
                                           {"ca_charisma", 60, 90, 17, 104},
                                           {"ca_points", 80, 90, 18, 100}}};
  return layout;
}

const TResultBoxLayout& SkillsLayout() {
  static const TResultBoxLayout layout = {
      {385, 0, 160, 415},
      "skl_caption",
      "skills",
      3,
      // Dark green: the bright green 65025 is barely visible on the sheet's cream (1.3:1).
      MakeInteger(32768),
      25,
      25,
      135,
      18,
      false,
      {{"skl_ironflesh", 15, 125, 17, 201},        {"skl_power_strike", 30, 125, 17, 202},
       {"skl_power_throw", 45, 125, 17, 203},      {"skl_power_draw", 60, 125, 17, 204},
       {"skl_weapon_master", 80, 125, 17, 205},    {"skl_shield", 95, 125, 17, 206},
       {"skl_athletics", 110, 125, 17, 207},       {"skl_riding", 125, 125, 17, 208},
       {"skl_horse_archery", 140, 125, 17, 209},   {"skl_looting", 155, 125, 17, 210},
       {"skl_trainer", 175, 125, 17, 211},         {"skl_tracking", 190, 125, 17, 212},
       {"skl_tactics", 205, 125, 17, 213},         {"skl_pathfinding", 220, 125, 17, 214},
       {"skl_spotting", 235, 125, 17, 215},        {"skl_inventory_management", 250, 125, 17, 216},
       {"skl_wound_treatment", 265, 125, 17, 217}, {"skl_surgery", 280, 125, 17, 218},
       {"skl_first_aid", 295, 125, 17, 219},       {"skl_engineer", 310, 125, 17, 220},
       {"skl_persuasion", 325, 125, 17, 221},      {"skl_prisoner_management", 345, 127, 17, 222},
       {"skl_leadership", 360, 125, 17, 223},      {"skl_trade", 375, 125, 17, 224},
       {"skl_points", 395, 125, 18, 200}}};
  return layout;
}

const TResultBoxLayout& ProficienciesLayout() {
  static const TResultBoxLayout layout = {{255, 0, 125, 130},
                                          "wpt_caption",
                                          "profic",
                                          4,
                                          MakeInteger(255),
                                          7,
                                          7,
                                          100,
                                          18,
                                          false,
                                          {{"wpt_one_handed_weapons", 15, 90, 16, 301},
                                           {"wpt_two_handed_weapons", 30, 90, 16, 302},
                                           {"wpt_polearms", 45, 90, 16, 303},
                                           {"wpt_archery", 60, 90, 16, 304},
                                           {"wpt_crossbows", 75, 90, 16, 305},
                                           {"wpt_throwing", 90, 90, 16, 306},
                                           {"wpt_weapon_points", 110, 90, 16, 300}},
                                          true};
  return layout;
}

const TResultBoxLayout& OtherValuesLayout() {
  static const TResultBoxLayout layout = {{5, 0, 115, 80},
                                          "oth_caption",
                                          "other",
                                          5,
                                          MakeInteger(16321023),
                                          6,
                                          5,
                                          90,
                                          18,
                                          true,
                                          {{"oth_hitpoints", 15, 80, 16, 401},
                                           {"oth_gold", 30, 80, 16, 402},
                                           {"oth_renown", 45, 80, 16, 403},
                                           {"oth_honor", 60, 80, 16, 404}}};
  return layout;
}

}  // namespace

const TResultBoxLayout& ResultBoxLayout(int box) {
  switch (box) {
    case 1:
      return SkillsLayout();
    case 2:
      return ProficienciesLayout();
    case 3:
      return OtherValuesLayout();
    default:
      return AttributesLayout();
  }
}

TResultBox::TResultBox(TControl* parentWindow, TScheme* parentScheme, THIMultiElement* container,
                       int box)
    : TResultBox(parentWindow, parentScheme, container, ResultBoxLayout(box)) {}
