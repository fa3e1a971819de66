// The Windows clipboard as the layer's text: UTF-8 with "\n" line ends inside, CF_UNICODETEXT
// with CR LF on the clipboard.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Puts text on the clipboard (owner: the window that owns it, may be null). Text that is not
// UTF-8 is taken in the system code page. False when the clipboard cannot be opened.
bool WriteClipboardText(HWND owner, std::string_view text);
// The clipboard's text, empty when it holds none or cannot be opened.
std::string ReadClipboardText();
