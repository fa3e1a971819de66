#include "app/sheet_runner.h"

#include <cstdio>

#include "app/edit_shortcuts.h"
#include "app/sheet_text.h"
#include "runtime/event.h"
#include "ui/backend.h"

namespace {

// Text on one line: tabs and line breaks as escapes.
std::string OneLine(std::string_view s) {
  std::string out;
  for (char ch : s) {
    if (ch == '\t')
      out += "\\t";
    else if (ch == '\r')
      out += "\\r";
    else if (ch == '\n')
      out += "\\n";
    else if (ch == '\\')
      out += "\\\\";
    else
      out += ch;
  }
  return out;
}

std::string Hex(uint32_t bgr) {
  uint32_t c = ResolveColor(bgr);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return buf;
}

// The first word of s (removed from s).
std::string_view Word(std::string_view& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) {
    s = {};
    return {};
  }
  s.remove_prefix(b);
  size_t e = s.find_first_of(" \t");
  std::string_view w = s.substr(0, e);
  s.remove_prefix(e == std::string_view::npos ? s.size() : e);
  return w;
}

// The first word of s (removed from s) as a decimal integer; false when it is not one.
bool Number(std::string_view& s, int& v) {
  std::string_view w = Word(s);
  if (w.empty() || w.size() > 9) return false;
  size_t i = w[0] == '-' ? 1 : 0;
  if (i == w.size()) return false;
  int n = 0;
  for (; i < w.size(); ++i) {
    if (w[i] < '0' || w[i] > '9') return false;
    n = n * 10 + (w[i] - '0');
  }
  v = w[0] == '-' ? -n : n;
  return true;
}
// The virtual-key code of a key name of the key command (-1 when unknown).
struct TKeyName {
  const char* Name;
  int Key;
  bool Shift;
  bool Ctrl;
};
constexpr TKeyName kKeys[] = {
    {"Tab", vkTab, false, false},       {"Shift+Tab", vkTab, true, false},
    {"Up", vkUp, false, false},         {"Down", vkDown, false, false},
    {"Left", vkLeft, false, false},     {"Right", vkRight, false, false},
    {"Space", vkSpace, false, false},   {"Enter", vkReturn, false, false},
    {"Escape", vkEscape, false, false}, {"Ctrl+C", vkC, false, true},
    {"Ctrl+V", vkV, false, true},
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

TSheetRunner::TSheetRunner(std::unique_ptr<TSheetInput> input)
    : input_(std::move(input)), sheet_(std::make_unique<TSheet>()) {
  WireEditShortcuts(*sheet_, *input_, [this] { return address_; });
}

TSheetRunner::~TSheetRunner() {
  Shutdown();
}

void TSheetRunner::Shutdown() {
  if (!sheet_) return;
  ResetDispatchers();  // the mouse's leave reaches no scheme
  input_->Leave();
  sheet_.reset();
}

const std::vector<std::pair<std::string, TControl*>>& TSheetRunner::Names() const {
  static const std::vector<std::pair<std::string, TControl*>> none;
  return sheet_ ? sheet_->Names() : none;
}
void TSheetRunner::Hover(TControl& c) {
  // Frames and the form: a spot of their own, away from the controls they hold.
  if (c.Kind() == TControlKind::Form)
    input_->MoveTo(c, TSheet::RestX, TSheet::RestY);
  else if (c.Kind() == TControlKind::GroupBox || c.Kind() == TControlKind::Panel)
    input_->MoveTo(c, c.Width() - 2, c.Height() - 2);
  else
    input_->MoveTo(c, -1, -1);
}

std::string TSheetRunner::DumpLine(const std::string& name, const TControl& c) {
  std::string line = name + "\t" + OneLine(c.Text()) + "\t";
  line += "visible=" + std::string(c.Visible() ? "1" : "0");
  if (c.Kind() == TControlKind::RadioButton)
    line += " checked=" + std::string(c.Checked() ? "1" : "0");
  line += " bold=" + std::string((c.Font().Style & fsBold) ? "1" : "0");
  line += " color=" + Hex(c.Font().Color);
  if (c.Kind() == TControlKind::ComboBox) {
    int sel = c.ItemIndex();
    line += " selected=" + (sel >= 0 ? OneLine(c.Item(sel)) : std::string());
    line += " items=";
    for (int i = 0; i < c.ItemCount(); ++i) {
      if (i) line += "|";
      line += OneLine(c.Item(i));
    }
  }
  if (c.Focused()) line += " focused=1";
  return line;
}

std::string TSheetRunner::Dump() const {
  std::string out;
  for (const auto& [n, c] : sheet_->Names())
    out += DumpLine(n, *c) + "\n";
  out += ".\n";
  return out;
}

std::string TSheetRunner::Execute(std::string_view line, bool* more) {
  if (more) *more = true;
  std::string_view rest = line;
  std::string_view cmd = Word(rest);
  if (cmd.empty()) return {};
  if (cmd == "quit") {
    if (more) *more = false;
    return {};
  }
  if (!sheet_) return "error: the form is closed\n";
  if (cmd == "dump") return Dump();
  if (cmd == "copy") return SheetText(*sheet_, address_) + ".\n";
  if (cmd == "clipboard") return Clipboard(line, rest);
  if (cmd == "close") return Close(more);
  if (cmd == "place") return Place(rest);
  if (cmd == "key") return Key(rest);
  if (cmd == "activate" || cmd == "deactivate") {
    input_->ActivateForm(sheet_->Form(), cmd == "activate");
    return {};
  }
  if (cmd == "hover" || cmd == "click" || cmd == "pick") {
    std::string_view name = Word(rest);
    TControl* c = Find(name);
    if (!c) return "error: unknown name " + std::string(name) + "\n";
    if (cmd == "pick") return Pick(*c, name, rest);
    if (cmd == "hover")
      Hover(*c);
    else
      input_->Click(*c);
    return {};
  }
  return "error: unknown command " + std::string(cmd) + "\n";
}

std::string TSheetRunner::Close(bool* more) {
  if (input_->CloseForm(sheet_->Form())) {
    Shutdown();
    if (more) *more = false;
  }
  return {};
}

std::string TSheetRunner::Place(std::string_view args) {
  int b[4];
  for (int& v : b)
    if (!Number(args, v)) return "error: place needs left, top, width and height\n";
  input_->PlaceForm(sheet_->Form(), b[0], b[1], b[2], b[3]);
  return {};
}

std::string TSheetRunner::Key(std::string_view args) {
  std::string_view name = Trim(args);
  for (const TKeyName& k : kKeys)
    if (name == k.Name) {
      input_->PressKey(k.Key, k.Shift, k.Ctrl);
      return {};
    }
  return "error: unknown key " + std::string(name) + "\n";
}

std::string TSheetRunner::Clipboard(std::string_view line, std::string_view args) {
  if (Trim(args).empty()) {
    std::string text = Backend().ClipboardText();
    if (!text.empty() && text.back() != '\n') text += '\n';
    return text + ".\n";
  }
  // The text as given, from the first character after "clipboard ".
  Backend().SetClipboardText(line.substr(line.find("clipboard") + 10));
  return {};
}

std::string TSheetRunner::Pick(TControl& c, std::string_view name, std::string_view args) {
  if (c.Kind() != TControlKind::ComboBox) return "error: " + std::string(name) + " has no items\n";
  std::string_view text = Trim(args);
  int index = -1;
  for (int i = 0; i < c.ItemCount() && index < 0; ++i)
    if (c.Item(i) == text) index = i;
  if (index < 0 || !input_->PickItem(c, index)) return "error: no item " + std::string(text) + "\n";
  return {};
}
