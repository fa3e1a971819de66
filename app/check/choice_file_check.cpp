#include "app/check/choice_file_check.h"

#include <cmath>
#include <cstdint>

#include "elements/formatstr.h"
#include "scheme/choice_loader.h"
#include "scheme/sheet_keys.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// One optional sign, then digits only.
bool IsPlainNumber(std::string_view text) {
  size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i >= text.size()) return false;
  for (; i < text.size(); ++i)
    if (!IsDigit(text[i])) return false;
  return true;
}

struct TWalk {
  const TSourceText& Src;
  THIIntegerArray& Codes;
  bool CodesKnown;
  TFindings& Findings;
  std::vector<TChoiceBlock> Blocks;
  std::vector<std::string> Pending;  // stored lines of the open block
  int32_t InBlock = 0;               // position of the last header mark; 1 = a block is open
  size_t OpenLine = 0;               // the header that opened the block
  int BlockNo = 0;

  void Warn(size_t line, const std::string& text) { Findings.Warn(Src.Name, line, text); }
  void Line(size_t n, std::string_view text);
  void AnswerLine(size_t n, std::string_view text);
  void CheckName(size_t n, std::string_view name, bool found);
  void CheckAmount(size_t n, std::string_view amount);
  void Finish();
};

void TWalk::Line(size_t n, std::string_view text) {
  size_t end = text.find(choice_format::EndMark);
  if (end != std::string_view::npos) {
    Blocks.push_back({BlockNo, n, std::move(Pending)});
    Pending.clear();
    InBlock = 0;
    BlockNo = (BlockNo + 1) % choice_format::Blocks;
    if (end != 0) Warn(n, "the line closes the block because it contains \"-- end\"");
  }
  size_t header = text.find(choice_format::HeaderMark);
  if (header == 0) {
    if (InBlock == 1)
      Warn(n, "a block opens while the one opened on line " + std::to_string(OpenLine) +
                  " is still open: their lines go to one list");
    InBlock = 1;
    OpenLine = n;
    return;
  }
  if (header != std::string_view::npos) {
    InBlock = header < INT32_MAX ? static_cast<int32_t>(header + 1) : INT32_MAX;
    Warn(n, "\"-- choice\" does not begin the line, so no block opens here");
    return;
  }
  if (InBlock != 1) {
    if (end == std::string_view::npos && !text.empty() && text[0] != ';')
      Warn(n, "text outside every block is ignored");
    return;
  }
  if (!text.empty()) AnswerLine(n, text);
}

void TWalk::AnswerLine(size_t n, std::string_view text) {
  size_t space = text.find(' ');
  if (space == std::string_view::npos) {
    Warn(n, "the answer line has no space and is dropped");
    return;
  }
  std::string_view word = text.substr(0, space);
  std::string_view rest = text.substr(space + 1);
  if (word == "-") return;  // a disabled line
  size_t eq = rest.find('=');
  if (eq == std::string_view::npos) {
    Warn(n, "the answer line has no \"=\" after its answer number and is dropped");
    return;
  }
  std::string_view name = rest.substr(0, eq);
  std::string_view amount = rest.substr(eq + 1);

  TData code;
  bool found = Codes.ArrGet(MakeString(name), code);
  std::string codeText = found ? ToString(code) : std::string();
  std::string stored = FormatMask("%1 %2 %3", {std::string(word), codeText, std::string(amount)});
  std::string plain = std::string(word) + " " + codeText + " " + std::string(amount);
  if (stored != plain)
    Warn(n, "\"%1\", \"%2\" or \"%3\" is filled in when the line is stored: it is stored as " +
                Quoted(stored));
  Pending.push_back(stored);

  // The answer number as the stored line carries it.
  std::string_view storedWord = std::string_view(stored).substr(0, stored.find(' '));
  int32_t answer = ParseInt(storedWord);
  if (!IsPlainNumber(storedWord))
    Warn(n, "answer number " + Quoted(storedWord) + " is not a number; it counts as answer " +
                std::to_string(answer));
  const int answers = static_cast<int>(AnswerListOfBlock(BlockNo).Answers.size()) - 1;
  if (answer < 0 || answer > answers)
    Warn(n, "answer " + std::to_string(answer) + " is beyond the " + std::to_string(answers) +
                " answers of " + DescribeList(BlockNo));
  CheckName(n, name, found);
  CheckAmount(n, amount);
}

void TWalk::CheckName(size_t n, std::string_view name, bool found) {
  if (!CodesKnown) return;
  std::string space;
  if (!name.empty() && name.back() == ' ')
    space = "the space before \"=\" belongs to the name";
  else if (!name.empty() && name.front() == ' ')
    space = "the space after the answer number belongs to the name";
  if (!found)
    Warn(n, "name " + Quoted(name) + " is not in array.ini, so the line adds nothing" +
                (space.empty() ? "" : " (" + space + ")"));
  else if (Codes.FindName(name) < 0)
    Warn(n, "name " + Quoted(name) + " is not in array.ini; as a number it picks line " +
                std::to_string(ParseInt(name) + 1) + " of array.ini");
  else if (!space.empty())
    Warn(n, "name " + Quoted(name) + ": " + space);
}

void TWalk::CheckAmount(size_t n, std::string_view amount) {
  // The number part is read up to an exponent mark.
  std::string_view mantissa = amount.substr(0, amount.find_first_of("Ee"));
  bool digits = false;
  for (char c : mantissa)
    digits = digits || IsDigit(c);
  if (!digits) {
    Warn(n, "amount " + Quoted(amount) + " has no digits and adds 0");
    return;
  }
  const double value = ParseReal(amount);
  const int32_t adds = RoundToInt32(value);
  const std::string alone = "; alone it adds " + std::to_string(adds);
  if (mantissa.find('-', 1) != std::string_view::npos)
    Warn(n, "amount " + Quoted(amount) +
                " has a minus sign that is not its first character, which is ignored" + alone);
  const double whole = std::nearbyint(value);
  if (!std::isfinite(value) || whole > INT32_MAX || whole < INT32_MIN)
    Warn(n, "amount " + Quoted(amount) + " is beyond 32 bits and wraps" + alone);
  else if (whole != value)
    Warn(n, "amount " + Quoted(amount) + " is not a whole number and is rounded (halves to even)" +
                alone);
}

void TWalk::Finish() {
  if ((InBlock == 1 || !Pending.empty()) && OpenLine > 0)
    Warn(OpenLine, "this block is never closed by an \"-- end\" line, so its lines are never used");
  const size_t count = Blocks.size();
  if (count == static_cast<size_t>(choice_format::Blocks)) return;
  std::string text = std::to_string(count) + " blocks where " +
                     std::to_string(choice_format::Blocks) + " are expected";
  for (size_t i = 0; i < count; ++i)
    text += (i == 0 ? "; blocks end on line " : ", line ") + std::to_string(Blocks[i].EndLine) +
            " for " + DescribeList(Blocks[i].Number) +
            (i >= static_cast<size_t>(choice_format::Blocks) ? " again" : "");
  for (size_t b = count; b < static_cast<size_t>(choice_format::Blocks); ++b)
    text += (b == count ? "; no lines for " : ", ") + DescribeList(static_cast<int>(b));
  Warn(1, text);
}

}  // namespace

std::string DescribeList(int block) {
  TAnswerList list = AnswerListOfBlock(block);
  std::string s = "question " + std::to_string(list.Question);
  if (list.Sex == 1) s += " (male list)";
  if (list.Sex == 2) s += " (female list)";
  return s;
}

std::vector<TChoiceBlock> CheckChoiceFile(const TSourceText& src, THIIntegerArray& codes,
                                          bool codesKnown, TFindings& findings) {
  TWalk walk{src, codes, codesKnown, findings, {}, {}, 0, 0, 0};
  if (!src.Readable || src.LfOnly) return {};  // nothing loads; reported as a whole
  for (size_t i = 0; i < src.Lines.size(); ++i)
    walk.Line(i + 1, src.Lines[i]);
  walk.Finish();
  return std::move(walk.Blocks);
}
