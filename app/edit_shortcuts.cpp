#include "app/edit_shortcuts.h"

#include "app/share_link.h"
#include "app/sheet.h"
#include "app/sheet_input.h"
#include "app/sheet_text.h"
#include "elements/translator.h"
#include "scheme/sheet_keys.h"
#include "ui/backend.h"

namespace {

// The language file's text of key, or fallback when the file has none.
std::string Caption(std::string_view key, std::string_view fallback) {
  std::string text = Translate(key);
  return text.empty() || text == key ? std::string(fallback) : text;
}

void ClickClear(TSheet& sheet, TSheetInput& input) {
  if (TControl* clear = sheet.Find("clear")) input.Click(*clear);
}

}  // namespace

bool PasteAnswers(TSheet& sheet, TSheetInput& input, std::string_view text) {
  std::optional<TAnswers> answers = FindAnswerCode(text);
  if (answers) {
    TAnswers before = CheckedAnswers(sheet);
    ClickClear(sheet, input);
    if (OpenAnswers(sheet, input, *answers)) return true;
    OpenAnswers(sheet, input, before);  // a code the data refused: the answers come back
  }
  Backend().ShowMessage(
      &sheet.Form(),
      Caption(PasteNoCodeKey, "The clipboard holds no answer code that fits this sheet."),
      sheet.Form().Text());
  return false;
}

void WireEditShortcuts(TSheet& sheet, TSheetInput& input, std::function<std::string()> address) {
  sheet.Form().SetEditShortcuts([&sheet, &input, address](TEditShortcut shortcut) {
    if (shortcut == TEditShortcut::Copy)
      Backend().SetClipboardText(SheetText(sheet, address ? address() : std::string()));
    else
      PasteAnswers(sheet, input, Backend().ClipboardText());
  });
}
