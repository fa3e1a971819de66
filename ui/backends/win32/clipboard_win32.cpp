#include "ui/backends/win32/clipboard_win32.h"

#include <cstring>

namespace {

// text as UTF-16, each "\n" (not already after "\r") as CR LF.
std::wstring Wide(std::string_view text) {
  std::string crlf;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
    crlf += text[i];
  }
  if (crlf.empty() || crlf.size() > 0x7fffffff) return {};
  int n = static_cast<int>(crlf.size());
  UINT page = CP_UTF8;
  int wide = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, crlf.data(), n, nullptr, 0);
  if (wide <= 0) {
    page = CP_ACP;  // not UTF-8: bytes of the code page
    wide = MultiByteToWideChar(page, 0, crlf.data(), n, nullptr, 0);
  }
  if (wide <= 0) return {};
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(page, page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0, crlf.data(), n, w.data(),
                      wide);
  return w;
}

// UTF-16 as UTF-8, each CR LF as "\n".
std::string Narrow(const wchar_t* w, size_t length) {
  if (length == 0 || length > 0x7fffffff) return {};
  int n = static_cast<int>(length);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, w, n, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string s(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, n, s.data(), bytes, nullptr, nullptr);
  std::string out;
  for (size_t i = 0; i < s.size(); ++i)
    if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
  return out;
}

}  // namespace

bool WriteClipboardText(HWND owner, std::string_view text) {
  std::wstring w = Wide(text);
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  bool done = false;
  size_t bytes = (w.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* p = GlobalLock(mem)) {
      std::memcpy(p, w.c_str(), bytes);
      GlobalUnlock(mem);
      done = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    }
    if (!done) GlobalFree(mem);  // the clipboard owns it only once set
  }
  CloseClipboard();
  return done;
}

std::string ReadClipboardText() {
  if (!OpenClipboard(nullptr)) return {};
  std::string out;
  if (HANDLE mem = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* w = static_cast<const wchar_t*>(GlobalLock(mem))) {
      // Bounded by the block's size: the text need not end in a NUL.
      size_t cap = GlobalSize(mem) / sizeof(wchar_t), n = 0;
      while (n < cap && w[n])
        ++n;
      out = Narrow(w, n);
      GlobalUnlock(mem);
    }
  }
  CloseClipboard();
  return out;
}
