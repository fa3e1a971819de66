#include "platform/profile_text.h"

namespace os::profile {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
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
  size_t KeyBegin = 0;     // position of the key in the text
};

// Reads the text line by line; nothing is kept, so memory does not grow with the line count.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : Text(text) {
    // A UTF-8 byte order mark in front of the first line is not part of it.
    if (Text.substr(0, 3) == "\xEF\xBB\xBF") P = 3;
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
      l.Value = eq == std::string_view::npos ? std::string_view() : Trim(content.substr(eq + 1));
    }
    P = l.Next;
    return true;
  }

 private:
  std::string_view Text;
  size_t P = 0;
  bool First = true;
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
  if (key.empty()) return std::nullopt;
  bool inSection = false;
  LineReader lines(text);
  for (Line l; lines.Next(l);) {
    if (l.What == Kind::Section) {
      inSection = EqualNoCase(l.Name, section);
    } else if (inSection && l.What == Kind::Key && EqualNoCase(l.Name, key)) {
      return std::string(CutAtZero(Unquote(l.Value)));
    }
  }
  return std::nullopt;
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
  section = Trim(CutAtZero(section));
  key = Trim(CutAtZero(key));
  value = CutAtZero(value);
  std::string_view eol = LineEndOf(text, newLine);

  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

  // 1. The key exists in a section of that name: replace the rest of its line.
  bool inSection = false;
  LineReader keys(text);
  for (Line l; keys.Next(l);) {
    if (l.What == Kind::Section) {
      inSection = EqualNoCase(l.Name, section);
    } else if (inSection && l.What == Kind::Key && EqualNoCase(l.Name, key)) {
      out.append(text.substr(0, l.KeyBegin));
      out.append(l.Name);
      out.push_back('=');
      out.append(value);
      out.append(text.substr(l.End));
      return out;
    }
  }

  // 2. The section exists: the key goes after its last non-blank line.
  bool found = false;
  Line l;
  LineReader sections(text);
  for (Line m; sections.Next(m);) {
    if (!found) {
      if (m.What == Kind::Section && EqualNoCase(m.Name, section)) {
        found = true;
        l = m;
      }
    } else if (m.What == Kind::Section) {
      break;
    } else if (m.What != Kind::Blank) {
      l = m;
    }
  }
  if (found) {
    out.append(text.substr(0, l.Next));
    std::string_view lineEnd = l.Next > l.End ? text.substr(l.End, l.Next - l.End) : eol;
    if (l.Next == l.End) out.append(eol);
    out.append(key);
    out.push_back('=');
    out.append(value);
    out.append(lineEnd);
    out.append(text.substr(l.Next));
    return out;
  }

  // 3. A new section at the end.
  out.append(text);
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') out.append(eol);
  out.push_back('[');
  out.append(section);
  out.push_back(']');
  out.append(eol);
  out.append(key);
  out.push_back('=');
  out.append(value);
  out.append(eol);
  return out;
}

}  // namespace os::profile
