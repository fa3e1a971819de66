// Ctrl+C and Ctrl+V on the main form: the sheet as text onto the clipboard, and the answers a
// pasted code, address or copied sheet holds opened on the sheet.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class TSheet;
class TSheetInput;

// Opens the answers text holds (scheme/answer_code.h FindAnswerCode) through input, after a
// clear. When it holds none, or they do not fit the data, the sheet keeps the answers it had and
// the backend shows a message over the main form: false.
bool PasteAnswers(TSheet& sheet, TSheetInput& input, std::string_view text);

// Ctrl+C on the sheet's main form puts SheetText on the backend's clipboard (with the address
// address() gives, if any); Ctrl+V pastes the clipboard's text. input must outlive the sheet.
void WireEditShortcuts(TSheet& sheet, TSheetInput& input,
                       std::function<std::string()> address = {});
