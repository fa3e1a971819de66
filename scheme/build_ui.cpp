#include "scheme/build_ui.h"

#include "elements/translator.h"

namespace build {

namespace {

void Common(THIWin* w, TRect r, const TFontRec& font) {
  w->Left = r.Left;
  w->Top = r.Top;
  w->Width = r.Width;
  w->Height = r.Height;
  w->Color = SheetColor;
  w->Font = font;
  w->ParentFont = 0;
  w->Visible = 1;
  w->Enabled = 1;
  w->TabOrder = 0;
}

}  // namespace

TFontRec SansSerif(uint8_t size, uint8_t style, uint32_t color, uint8_t charSet) {
  TFontRec f;
  f.Name = "MS Sans Serif";
  f.Size = size;
  f.Style = style;
  f.Color = color;
  f.CharSet = charSet;
  return f;
}

namespace {
void (*g_keyWatcher)(std::string_view) = nullptr;
}  // namespace

std::string Tr(std::string_view key) {
  if (g_keyWatcher) g_keyWatcher(key);
  return Translate(key);
}

void WatchTranslatedKeys(void (*watcher)(std::string_view key)) {
  g_keyWatcher = watcher;
}

THIFont* Font(TScheme& s, const TFontRec& font) {
  auto* e = s.Add<THIFont>();
  e->Font = font;
  e->ShowDialog = false;
  return e;
}

THIGroupBox* GroupBox(TScheme& s, TControl* parent, TRect r, const TFontRec& font,
                      std::string_view caption) {
  auto* e = s.Add<THIGroupBox>(parent);
  Common(e, r, font);
  e->SetCaption(caption);
  e->Init();
  return e;
}

THILabel* Label(TScheme& s, TControl* parent, TRect r, const TFontRec& font,
                std::string_view caption, bool autoSize, uint8_t alignment) {
  auto* e = s.Add<THILabel>(parent);
  Common(e, r, font);
  e->Caption = std::string(caption);
  e->SetAutoSize(autoSize);
  e->SetAlignment(alignment);
  e->Init();
  return e;
}

THIRadioButton* RadioButton(TScheme& s, TControl* parent, TRect r, const TFontRec& font,
                            std::string_view caption, int32_t selected) {
  auto* e = s.Add<THIRadioButton>(parent);
  Common(e, r, font);
  e->SetCaption(caption);
  e->SetSelected(selected);
  e->Init();
  return e;
}

}  // namespace build
