#include "app/sheet_runner.h"

#include <cstdio>
#include <iterator>
#include <sstream>

#include "controls/app.h"
#include "runtime/globalvar.h"
#include "runtime/initprocs.h"
#include "scheme/main_form.h"
#include "scheme/question_groups.h"
#include "scheme/result_boxes.h"
#include "scheme/settings_panel.h"
#include "scheme/sheet_counts.h"
#include "ui/backend.h"
#include "ui/backends/headless/simulator.h"

namespace {

template <class S>
S* SubScheme(THIMultiElement* c) {
  return c && c->Boundary ? dynamic_cast<S*>(c->Boundary->Owner) : nullptr;
}

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
};
constexpr TKeyName kKeys[] = {
    {"Tab", vkTab, false},     {"Shift+Tab", vkTab, true}, {"Up", vkUp, false},
    {"Down", vkDown, false},   {"Left", vkLeft, false},    {"Right", vkRight, false},
    {"Space", vkSpace, false}, {"Enter", vkReturn, false}, {"Escape", vkEscape, false},
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// The headless simulator as the runner's hands.
class TSimulatorInput : public TSheetInput {
 public:
  explicit TSimulatorInput(TSimulator& s) : s_(s) {}
  void MoveTo(TControl& c, int x, int y) override { s_.MoveTo(c, x, y); }
  void Click(TControl& c) override { s_.Click(c); }
  bool PickItem(TControl& combo, int index) override { return s_.PickItem(combo, index); }
  bool CloseForm(TControl& form) override { return s_.CloseForm(form); }
  void Leave() override { s_.Leave(); }

 private:
  TSimulator& s_;
};

}  // namespace

TSheetRunner::TSheetRunner(std::unique_ptr<TSheetInput> input) : input_(std::move(input)) {
  // A fresh runtime: no shared values, no table, start-up not yet run.
  ResetDispatchers();
  ClearGlobalVars();
  ClearTranslation();
  InitProcs.clear();
  InitDone = false;
  Backend().ResetQuit();

  mouse_ = std::make_unique<TSimulator>();
  if (!input_) input_ = std::make_unique<TSimulatorInput>(*mouse_);
  scheme_ = new TMainForm();
  MainScheme = scheme_;
  Register();
  Start(scheme_->mainForm);
}

TSheetRunner::~TSheetRunner() {
  Shutdown();
}

void TSheetRunner::Shutdown() {
  if (!scheme_) return;
  ResetDispatchers();
  input_->Leave();
  names_.clear();
  delete scheme_;
  scheme_ = nullptr;
  MainScheme = nullptr;
  mouse_.reset();
  ResetApplication();
  ClearGlobalVars();
  ClearTranslation();
  InitProcs.clear();
  InitDone = false;
  Backend().ResetQuit();
}

void TSheetRunner::Name(std::string name, TControl* c) {
  if (c) names_.emplace_back(std::move(name), c);
}

void TSheetRunner::Register() {
  TMainForm& s = *scheme_;
  Name("form", s.mainForm->Control);
  Name("clear", s.clearLabel->Control);
  Name("settings", s.settingsLabel->Control);

  if (auto* p = SubScheme<TSettingsPanel>(s.settingsPanel)) {
    Name("panel", p->SettingsPanel->Control);
    Name("panel.exit", p->CloseLabel->Control);
    Name("panel.languageLabel", p->LanguageLabel->Control);
    Name("panel.language", p->LanguageBox->Control);
    Name("panel.note", p->RestartNote->Control);
  }

  // Boxes in the order they are built.
  std::pair<const char*, THIMultiElement*> boxes[] = {{"profic", s.proficiencyBox},
                                                      {"attrib", s.attributesBox},
                                                      {"skills", s.skillsBox},
                                                      {"other", s.otherBox}};
  for (auto& [role, container] : boxes) {
    auto* b = SubScheme<TResultBox>(container);
    if (!b) continue;
    std::string r = role;
    Name(r, b->Frame->Control);
    for (size_t k = 0; k < b->Names.size(); ++k) {
      Name(r + ".name." + std::to_string(k), b->Names[k]->Control);
      for (int32_t i = 0; i < 100; ++i)
        if (b->ValueOfItem(i) == b->Values[k])
          Name(r + ".value." + std::to_string(i), b->Values[k]->Control);
    }
    if (b->Warning) Name(r + ".warning", b->Warning->Control);
  }

  THIMultiElement* questions[] = {s.question1, s.question2, s.question3, s.question4, s.question5};
  static_assert(std::size(questions) == sheet::Questions);
  for (int q = 0; q < sheet::Questions; ++q) {
    auto* g = SubScheme<TQuestionGroup>(questions[q]);
    if (!g) continue;
    std::string r = "q" + std::to_string(q + 1);
    Name(r, g->Frame->Control);
    for (size_t k = 0; k < g->Answers.size(); ++k)
      Name(r + "." + std::to_string(k), g->Answers[k]->Control);
  }
}

TControl* TSheetRunner::Find(std::string_view name) const {
  for (const auto& [n, c] : names_)
    if (n == name) return c;
  return nullptr;
}

void TSheetRunner::Hover(TControl& c) {
  // Frames and the form: a spot of their own, away from the controls they hold.
  if (c.Kind() == TControlKind::Form)
    input_->MoveTo(c, 200, 140);
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
  for (const auto& [n, c] : names_)
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
  if (!scheme_) return "error: the form is closed\n";
  if (cmd == "dump") return Dump();
  if (cmd == "close") {
    if (input_->CloseForm(*scheme_->mainForm->Control)) {
      closed_ = true;
      Shutdown();
      if (more) *more = false;
    }
    return {};
  }
  if (cmd == "place") {
    int b[4];
    for (int& v : b)
      if (!Number(rest, v)) return "error: place needs left, top, width and height\n";
    TControl& form = *scheme_->mainForm->Control;
    form.SetPosition(b[0], b[1]);
    form.SetSize(b[2], b[3]);
    return {};
  }
  if (cmd == "key") {
    std::string_view name = Trim(rest);
    for (const TKeyName& k : kKeys)
      if (name == k.Name) {
        mouse_->PressKey(k.Key, k.Shift);
        return {};
      }
    return "error: unknown key " + std::string(name) + "\n";
  }
  if (cmd == "hover" || cmd == "click" || cmd == "pick") {
    std::string_view name = Word(rest);
    TControl* c = Find(name);
    if (!c) return "error: unknown name " + std::string(name) + "\n";
    if (cmd == "hover") {
      Hover(*c);
    } else if (cmd == "click") {
      input_->Click(*c);
    } else {
      if (c->Kind() != TControlKind::ComboBox)
        return "error: " + std::string(name) + " has no items\n";
      std::string_view text = Trim(rest);
      int index = -1;
      for (int i = 0; i < c->ItemCount() && index < 0; ++i)
        if (c->Item(i) == text) index = i;
      if (index < 0 || !input_->PickItem(*c, index))
        return "error: no item " + std::string(text) + "\n";
    }
    return {};
  }
  return "error: unknown command " + std::string(cmd) + "\n";
}
