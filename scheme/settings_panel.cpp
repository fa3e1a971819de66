#include "scheme/settings_panel.h"

#include "platform/file_layout.h"

namespace {

TFontRec Regular() {
  return build::SansSerif(8, 0, 0, 1);
}

}  // namespace

TSettingsPanel::TSettingsPanel(TControl* parentWindow, TScheme* parentScheme,
                               THIMultiElement* container)
    : TSubScheme(parentScheme) {
  BuildPanel(parentWindow, container);
  TControl* panel = SettingsPanel->Control;
  BuildCloseLabel(panel);
  BuildLanguageControls(panel);
  BuildLanguageStore();
  WireOpen();
  WirePick();
  WireClose();
}

void TSettingsPanel::BuildPanel(TControl* parentWindow, THIMultiElement* container) {
  SettingsPanel = Add<THIPanel>(parentWindow);
  SettingsPanel->Left = 0;
  SettingsPanel->Top = 0;
  SettingsPanel->Width = 549;
  SettingsPanel->Height = 420;
  SettingsPanel->Align = 5;
  SettingsPanel->Color = build::SheetColor;
  SettingsPanel->Font = Regular();
  SettingsPanel->ParentFont = 0;
  SettingsPanel->Visible = 0;
  SettingsPanel->Enabled = 1;
  SettingsPanel->TabOrder = 0;
  SettingsPanel->Ctl3D = 1;
  SettingsPanel->Caption = "";
  SettingsPanel->BevelInner = 0;
  SettingsPanel->BevelOuter = 0;
  SettingsPanel->BevelWidth = 1;
  SettingsPanel->EdgeStyle = 0;
  SettingsPanel->BorderWidth = 1;
  SettingsPanel->Alignment = taLeft;
  SettingsPanel->Init();
  Edit = MakeBoundary(container, 1);
}

void TSettingsPanel::BuildCloseLabel(TControl* panel) {
  CloseLabel = Add<THILabel>(panel);
  CloseLabel->Left = 135;
  CloseLabel->Top = 100;
  CloseLabel->Width = 115;
  CloseLabel->Height = 20;
  CloseLabel->Color = build::SheetColor;
  CloseLabel->Font = build::SansSerif(10, fsBold, 0, 1);
  CloseLabel->Caption = build::Tr(ExitKey);
  CloseLabel->SetAutoSize(false);
  CloseLabel->SetAlignment(taCenter);
  CloseLabel->HoverColor = 32768;
  CloseLabel->HoverCursor = 0;
  CloseLabel->HoverUnderline = 1;
  CloseLabel->Init();
}

void TSettingsPanel::BuildLanguageControls(TControl* panel) {
  const TFontRec regular = Regular();
  LanguageLabel = build::Label(*this, panel, {10, 10, 69, 17}, regular, build::Tr(LocalizationKey),
                               true, taLeft);

  LanguageBox = Add<THIComboBox>(panel);
  LanguageBox->Left = 90;
  LanguageBox->Top = 5;
  LanguageBox->Width = 110;
  LanguageBox->Height = 21;
  LanguageBox->Color = clWindow;
  LanguageBox->Font = regular;
  LanguageBox->Text = "ComboBox";
  LanguageBox->Editable = 0;
  LanguageBox->Sorted = 0;
  LanguageBox->DataType = 1;
  LanguageBox->Init();

  RestartNote = Add<THILabel>(panel);
  RestartNote->Left = 10;
  RestartNote->Top = 30;
  RestartNote->Width = 94;
  RestartNote->Height = 17;
  RestartNote->Color = build::SheetColor;
  RestartNote->Font = build::SansSerif(8, fsBold, 128, 1);
  RestartNote->Visible = 0;
  RestartNote->Caption = build::Tr(RestartKey);
  RestartNote->SetAutoSize(true);
  RestartNote->SetAlignment(taLeft);
  RestartNote->Init();
}

void TSettingsPanel::BuildLanguageStore() {
  LangSearch = Add<THIFileSearch>();
  LangSearch->Ext = "*.lng";
  // Portable: the current folder; installed: the folder the language files are read from.
  LangSearch->Dir = os::PortableLayout() ? std::string(".") : os::LanguageFolder();
  LangSearch->SubDir = 1;
  LangSearch->FullName = 0;
  LangSearch->Include = 0;
  NameCut = build::StrPart(*this, ".", 0);
  ReadLang = Add<THIini>();
  WriteLang = Add<THIini>();
  PickMemory = build::Memory(*this);
  ReadBack = Add<THIini>();
  SavedCheck = build::IfElse(*this, THIIf_else::Equal, TData{});
  RestartText = build::DoData(*this, MakeString(build::Tr(RestartKey)));
  FailText = build::DoData(*this, MakeString(build::Tr(NotSavedKey)));
  for (THIini* ini : {ReadLang, WriteLang, ReadBack}) {
    ini->FileName = "config.ini";
    ini->Section = "main";
    ini->Key = "language";
    ini->DataType = 1;
  }
  PanelShow = build::ChanelToIndex(*this, 2);
  NoteShow = build::ChanelToIndex(*this, 2);
  OpenHub = build::Hub(*this, 6);
  PickHub = build::Hub(*this, 4);
  CloseHub = build::Hub(*this, 2);
}

void TSettingsPanel::WireOpen() {
  // Open: show the panel, hide the note, bring it up, list the languages, select the saved.
  Edit->onWork[0] = MakeEvent<&THIHub::doEvent>(OpenHub);
  OpenHub->onEvent[0] = MakeEvent<&THIChanelToIndex::doEvent>(PanelShow, 1);
  OpenHub->onEvent[1] = MakeEvent<&THIChanelToIndex::doEvent>(NoteShow, 0);
  OpenHub->onEvent[2] = MakeEvent<&THIWin::doBringToFront>(SettingsPanel);
  OpenHub->onEvent[3] = MakeEvent<&THIWinList::doClear>(LanguageBox);
  OpenHub->onEvent[4] = MakeEvent<&THIFileSearch::doSearch>(LangSearch);
  OpenHub->onEvent[5] = MakeEvent<&THIini::doRead>(ReadLang);
  PanelShow->onIndex = MakeEvent<&THIWin::doVisible>(SettingsPanel);
  NoteShow->onIndex = MakeEvent<&THIWin::doVisible>(RestartNote);
  LangSearch->onSearch = MakeEvent<&THIStrPart::doSplit>(NameCut);
  NameCut->onLeft = MakeEvent<&THIWinList::doAdd>(LanguageBox);
  ReadLang->onRead = MakeEvent<&THIWinList::doSelectString>(LanguageBox);
}

void TSettingsPanel::WirePick() {
  // A pick: save it, read it back, caption the note by whether it was stored, show it.
  LanguageBox->onClick = MakeEvent<&THIHub::doEvent>(PickHub);
  PickHub->onEvent[0] = MakeEvent<&THIMemory::doValue>(PickMemory);
  PickHub->onEvent[1] = MakeEvent<&THIini::doWrite>(WriteLang);
  PickHub->onEvent[2] = MakeEvent<&THIini::doRead>(ReadBack);
  PickHub->onEvent[3] = MakeEvent<&THIChanelToIndex::doEvent>(NoteShow, 1);
  ReadBack->onRead = MakeEvent<&THIIf_else::doCompare>(SavedCheck);
  SavedCheck->Op2Point = MakeEvent<&THIMemory::GetValue>(PickMemory);
  SavedCheck->onTrue = MakeEvent<&THIDoData::doData>(RestartText);
  SavedCheck->onFalse = MakeEvent<&THIDoData::doData>(FailText);
  RestartText->onData = MakeEvent<&THILabel::doText>(RestartNote);
  FailText->onData = MakeEvent<&THILabel::doText>(RestartNote);
}

void TSettingsPanel::WireClose() {
  // Close: to the back, hidden.
  CloseLabel->onClick = MakeEvent<&THIHub::doEvent>(CloseHub);
  CloseHub->onEvent[0] = MakeEvent<&THIWin::doSendToBack>(SettingsPanel);
  CloseHub->onEvent[1] = MakeEvent<&THIChanelToIndex::doEvent>(PanelShow, 0);
}
