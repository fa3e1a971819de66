#include "platform/profile_text.h"

namespace os::profile {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimFront(std::string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsBlank(s[b]))
    ++b;
  size_t e = s.size();
  while (e > b && IsBlank(s[e - 1]))
    --e;
  return s.substr(b, e - b);
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

enum class Kind { Blank, Comment, Section, Key, Other };

struct Line {
  size_t Begin = 0;  // first byte of the line
  size_t End = 0;    // end of its content (before the line end)
  size_t Next = 0;   // first byte after its line end
  Kind What = Kind::Other;
  std::string_view Name;   // section name or key (trimmed)
  std::string_view Value;  // key value (trimmed, not unquoted)
  bool HasValue = false;   // the key line holds '='
  size_t KeyBegin = 0;     // position of the key in the text
};

// Reads the text line by line; nothing is kept, so memory does not grow with the line count.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : Text(text) {
    // A UTF-8 byte order mark in front of the first line is not part of it.
    if (Text.substr(0, 3) == kBom) P = 3;
  }

  bool Next(Line& l) {
    if (P >= Text.size()) return false;
    l = Line();
    l.Begin = First ? 0 : P;
    First = false;
    size_t e = P;
    while (e < Text.size() && Text[e] != '\n' && Text[e] != '\r')
      ++e;
    l.End = e;
    if (e < Text.size()) {
      l.Next = (Text[e] == '\r' && e + 1 < Text.size() && Text[e + 1] == '\n') ? e + 2 : e + 1;
    } else {
      l.Next = e;
    }
    std::string_view content = Text.substr(P, e - P);
    std::string_view t = Trim(content);
    if (t.empty()) {
      l.What = Kind::Blank;
    } else if (t.front() == ';') {
      l.What = Kind::Comment;
    } else if (t.front() == '[') {
      size_t close = t.rfind(']');
      if (close == std::string_view::npos || close == 0) {
        l.What = Kind::Other;
      } else {
        l.What = Kind::Section;
        l.Name = Trim(t.substr(1, close - 1));
      }
    } else {
      l.What = Kind::Key;
      size_t eq = content.find('=');
      std::string_view k = eq == std::string_view::npos ? content : content.substr(0, eq);
      size_t lead = 0;
      while (lead < k.size() && IsBlank(k[lead]))
        ++lead;
      l.KeyBegin = P + lead;
      l.Name = Trim(k);
      l.HasValue = eq != std::string_view::npos;
      l.Value = l.HasValue ? Trim(content.substr(eq + 1)) : std::string_view();
    }
    P = l.Next;
    return true;
  }

 private:
  std::string_view Text;
  size_t P = 0;
  bool First = true;
};

// Follows the lines of a text through the first section named section: the lines before the
// first header form the section "", and a later section of the same name is not looked at.
class FirstSection {
 public:
  explicit FirstSection(std::string_view section)
      : Name(section), State(section.empty() ? In : Before) {}

  // Takes the next line; true while it lies inside the section (its header excluded).
  bool Take(const Line& l) {
    if (l.What == Kind::Section) {
      if (State == In) {
        State = After;
      } else if (State == Before && EqualNoCase(l.Name, Name)) {
        State = In;
        Seen = true;
      }
      return false;
    }
    return State == In;
  }
  bool Done() const { return State == After; }
  // True once the section has been met (the section "" always is).
  bool Found() const { return Seen || Name.empty(); }

 private:
  enum { Before, In, After };
  std::string_view Name;
  int State;
  bool Seen = false;
};

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

// The line end the text uses (its first one), or deflt when it has none.
std::string_view LineEndOf(std::string_view text, std::string_view deflt) {
  size_t e = text.find_first_of("\r\n");
  if (e == std::string_view::npos) return deflt;
  if (text[e] == '\r') return (e + 1 < text.size() && text[e + 1] == '\n') ? "\r\n" : "\r";
  return "\n";
}

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string_view CutAtZero(std::string_view s) {
  size_t z = s.find('\0');
  return z == std::string_view::npos ? s : s.substr(0, z);
}

std::optional<std::string> Lookup(std::string_view text, std::string_view section,
                                  std::string_view key) {
  section = Trim(CutAtZero(section));
  key = Trim(CutAtZero(key));
  FirstSection in(section);
  LineReader lines(text);
  for (Line l; !in.Done() && lines.Next(l);) {
    if (in.Take(l) && l.What == Kind::Key && EqualNoCase(l.Name, key)) {
      // The first line of that name decides; without '=' it holds no value.
      if (!l.HasValue) return std::nullopt;
      return std::string(CutAtZero(Unquote(l.Value)));
    }
  }
  return std::nullopt;
}

std::string_view DefaultText(std::string_view deflt) {
  deflt = CutAtZero(deflt);
  while (deflt.size() > 1 && deflt.back() == ' ')
    deflt.remove_suffix(1);
  return Unquote(deflt);
}

int32_t ToInt(std::string_view v) {
  size_t i = 0;
  bool neg = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) neg = v[i++] == '-';
  uint32_t base = 10;
  if (i + 1 < v.size() && v[i] == '0') {
    char p = v[i + 1];
    base = p == 'x' ? 16 : p == 'o' ? 8 : p == 'b' ? 2 : 10;
    if (base != 10) i += 2;
  }
  uint32_t acc = 0;
  for (; i < v.size(); ++i) {
    char c = v[i];
    uint32_t d = c >= '0' && c <= '9'   ? static_cast<uint32_t>(c - '0')
                 : c >= 'a' && c <= 'f' ? static_cast<uint32_t>(c - 'a' + 10)
                 : c >= 'A' && c <= 'F' ? static_cast<uint32_t>(c - 'A' + 10)
                                        : 99;
    if (d >= base) break;
    acc = acc * base + d;
  }
  if (neg) acc = 0u - acc;
  return static_cast<int32_t>(acc);
}

bool CanWrite(std::string_view section, std::string_view key, std::string_view value) {
  section = CutAtZero(section);
  key = Trim(CutAtZero(key));
  value = CutAtZero(value);
  auto hasBreak = [](std::string_view s) { return s.find_first_of("\r\n") != s.npos; };
  if (key.empty() || key.find('=') != key.npos || key.front() == '[' || key.front() == ';')
    return false;
  if (section.find(']') != section.npos) return false;
  return !hasBreak(section) && !hasBreak(key) && !hasBreak(value);
}

std::string Update(std::string_view text, std::string_view section, std::string_view key,
                   std::string_view value, std::string_view newLine) {
  // Names match trimmed; new ones are written with their trailing blanks, as given.
  std::string_view sectionName = TrimFront(CutAtZero(section));
  std::string_view keyName = TrimFront(CutAtZero(key));
  section = Trim(sectionName);
  key = Trim(keyName);
  value = TrimFront(CutAtZero(value));
  std::string_view eol = LineEndOf(text, newLine);

  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

  // Where the key goes in the first section of that name: its line (with or without '='), or
  // after the last non-blank line of the section.
  FirstSection in(section);
  std::optional<Line> last;  // the header or the last non-blank line
  LineReader lines(text);
  for (Line l; !in.Done() && lines.Next(l);) {
    if (in.Take(l)) {
      if (l.What == Kind::Key && EqualNoCase(l.Name, key)) {
        // 1. The key exists: replace the rest of its line.
        out.append(text.substr(0, l.KeyBegin));
        out.append(l.Name);
        out.push_back('=');
        out.append(value);
        out.append(text.substr(l.End));
        return out;
      }
      if (l.What != Kind::Blank) last = l;
    } else if (in.Found() && !in.Done()) {
      last = l;  // the section's header
    }
  }

  if (in.Found()) {
    // 2. The section exists: the key goes after its last non-blank line, or at the top of the
    // text for the lines before the first header when there are none.
    size_t at = last ? last->Next : (text.substr(0, 3) == kBom ? 3 : 0);
    out.append(text.substr(0, at));
    // A key that starts with the bytes of a byte order mark, written first, would lose them.
    if (at == 0 && keyName.substr(0, 3) == kBom) out.append(kBom);
    std::string_view lineEnd = eol;
    if (last && last->Next > last->End) lineEnd = text.substr(last->End, last->Next - last->End);
    if (last && last->Next == last->End) out.append(eol);
    out.append(keyName);
    out.push_back('=');
    out.append(value);
    out.append(lineEnd);
    out.append(text.substr(at));
    return out;
  }

  // 3. A new section at the end.
  out.append(text);
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') out.append(eol);
  out.push_back('[');
  out.append(sectionName);
  out.push_back(']');
  out.append(eol);
  out.append(keyName);
  out.push_back('=');
  out.append(value);
  out.append(eol);
  return out;
}

}  // namespace os::profile
