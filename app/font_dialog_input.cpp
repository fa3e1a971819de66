#include "app/font_dialog_input.h"

#include <cctype>
#include <vector>

#include "ui/backends/headless/backend_headless.h"

namespace {

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ')
      ++i;
    size_t start = i;
    while (i < s.size() && s[i] != ' ')
      ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

// A whole number in [0, max], decimal or "0x" hexadecimal.
std::optional<uint32_t> Number(std::string_view w, uint64_t max) {
  int base = 10;
  if (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X')) {
    base = 16;
    w.remove_prefix(2);
  }
  if (w.empty() || w.size() > 10) return std::nullopt;
  uint64_t v = 0;
  for (char c : w) {
    int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
            : (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
                ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                : -1;
    if (d < 0) return std::nullopt;
    v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
  }
  if (v > max) return std::nullopt;
  return static_cast<uint32_t>(v);
}

// Points with at most one decimal, as tenths: "12" 120, "10.5" 105; 1 to 255 points.
std::optional<int32_t> Tenths(std::string_view w) {
  size_t dot = w.find('.');
  std::string_view whole = w.substr(0, dot), part;
  if (dot != std::string_view::npos) {
    part = w.substr(dot + 1);
    if (part.size() != 1) return std::nullopt;
  }
  auto p = Number(whole, 255);
  if (!p || whole.find_first_of("xX") != std::string_view::npos) return std::nullopt;
  int32_t tenths = static_cast<int32_t>(*p) * 10;
  if (!part.empty()) {
    if (!std::isdigit(static_cast<unsigned char>(part[0]))) return std::nullopt;
    tenths += part[0] - '0';
  }
  if (tenths < 10 || tenths > 2550) return std::nullopt;
  return tenths;
}

}  // namespace

std::optional<TFontAnswer> ParseFontAnswer(std::string_view line, const TFontRec& shown,
                                           std::string& error) {
  std::vector<std::string_view> w = Words(line);
  if (w.empty() || w[0] != "font") {
    error = "the font dialog is open: answer font FACE SIZE STYLE COLOR or font cancel";
    return std::nullopt;
  }
  if (w.size() == 2 && w[1] == "cancel") return TFontAnswer{};
  if (w.size() < 5) {
    error = "font needs FACE SIZE STYLE COLOR, or cancel";
    return std::nullopt;
  }
  size_t n = w.size();
  auto tenths = Tenths(w[n - 3]);
  auto style = Number(w[n - 2], 15);
  auto color = Number(w[n - 1], 0x00FFFFFF);
  if (!tenths) error = "font size \"" + std::string(w[n - 3]) + "\" is not 1 to 255 points";
  if (!style) error = "font style \"" + std::string(w[n - 2]) + "\" is not 0 to 15";
  if (!color) error = "font colour \"" + std::string(w[n - 1]) + "\" is not 0 to 0xFFFFFF";
  if (!tenths || !style || !color) return std::nullopt;
  TFontAnswer a;
  a.Confirmed = true;
  // The face: the words between "font" and the size, with the spaces between them.
  const char* first = w[1].data();
  const char* last = w[n - 4].data() + w[n - 4].size();
  a.Choice.Face.assign(first, static_cast<size_t>(last - first));
  a.Choice.PointTenths = *tenths;
  a.Choice.Weight = (*style & fsBold) ? 700 : 400;
  a.Choice.Italic = *style & fsItalic;
  a.Choice.Underline = *style & fsUnderline;
  a.Choice.StrikeOut = *style & fsStrikeOut;
  a.Choice.Color = *color;
  a.Choice.CharSet = shown.CharSet;
  return a;
}

std::string FontDialogLine(const TFontRec& shown) {
  return "font dialog: " + shown.Name + " " + std::to_string(shown.Size) + " " +
         std::to_string(shown.Style) + " " + std::to_string(shown.Color);
}

TFontDialogInput::TFontDialogInput(std::function<bool(std::string&)> nextLine)
    : next_(std::move(nextLine)) {
  HeadlessBackend().FontDialog = [this](const TFontRec& shown, TFontChoice& out) {
    return Answer(shown, out);
  };
}

TFontDialogInput::~TFontDialogInput() {
  HeadlessBackend().FontDialog = nullptr;
}

bool TFontDialogInput::NextLine(std::string& line) {
  if (pending_) {
    line = std::move(*pending_);
    pending_.reset();
    return true;
  }
  return next_(line);
}

std::string TFontDialogInput::TakeOutput() {
  std::string out;
  out.swap(output_);
  return out;
}

bool TFontDialogInput::Answer(const TFontRec& shown, TFontChoice& out) {
  output_ += FontDialogLine(shown) + "\n";
  std::string line;
  if (!NextLine(line)) return false;
  std::string error;
  std::optional<TFontAnswer> a = ParseFontAnswer(line, shown, error);
  if (!a) {
    output_ += "error: " + error + "; the dialog was cancelled\n";
    // A command is run after the one that opened the dialog; a bad answer is dropped.
    if (Words(line).empty() || Words(line)[0] != "font") pending_ = std::move(line);
    return false;
  }
  if (a->Confirmed) out = a->Choice;
  return a->Confirmed;
}
