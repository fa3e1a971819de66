#include "tests/platform/inidiff/ini_compare.h"

#include <cstdint>

namespace inidiff {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

std::string NormalLine(std::string_view t) {
  if (t.front() == '[') {
    size_t close = t.rfind(']');
    if (close != t.npos && close > 0) return "[" + std::string(Trim(t.substr(1, close - 1))) + "]";
  }
  size_t eq = t.find('=');
  if (eq == t.npos) return std::string(t);
  return std::string(Trim(t.substr(0, eq))) + "=" + std::string(Trim(t.substr(eq + 1)));
}

bool IsNormal(const std::optional<std::string>& file) {
  return !file || NormalForm(*file) == *file;
}

std::string FileText(const std::optional<std::string>& f) {
  return f ? "\"" + Visible(*f) + "\"" : std::string("(no file)");
}

std::optional<Mismatch> CompareAnswer(const Answer& a, const Answer& b, bool bytes) {
  if (a.Text != b.Text)
    return Mismatch{0, "read \"" + Visible(a.Text) + "\" against \"" + Visible(b.Text) + "\""};
  if (a.Written != b.Written)
    return Mismatch{0, std::string("write ") + (a.Written ? "done" : "refused") + " against " +
                           (b.Written ? "done" : "refused")};
  bool same =
      a.File.has_value() == b.File.has_value() &&
      (!a.File || (bytes ? *a.File == *b.File : NormalForm(*a.File) == NormalForm(*b.File)));
  if (!same)
    return Mismatch{0, std::string(bytes ? "file" : "file in normal form") + " " +
                           FileText(a.File) + " against " + FileText(b.File)};
  return std::nullopt;
}

// Values and lines longer than this are worth cutting when shrinking.
constexpr size_t kLong = 16;

bool Fails(const Case& c, const Outcome& a, const Outcome& b) {
  return Compare(c, a, b).has_value();
}

}  // namespace

std::vector<std::string_view> LinesWithEnds(std::string_view t) {
  std::vector<std::string_view> out;
  size_t p = 0;
  while (p < t.size()) {
    size_t e = t.find_first_of("\r\n", p);
    if (e == t.npos) {
      out.push_back(t.substr(p));
      break;
    }
    size_t next = (t[e] == '\r' && e + 1 < t.size() && t[e + 1] == '\n') ? e + 2 : e + 1;
    out.push_back(t.substr(p, next - p));
    p = next;
  }
  return out;
}

std::string NormalForm(std::string_view file) {
  std::string out;
  for (std::string_view line : LinesWithEnds(file)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
      line.remove_suffix(1);
    std::string_view t = Trim(line);
    if (t.empty()) continue;
    out += NormalLine(t);
    out += "\r\n";
  }
  return out;
}

std::optional<Mismatch> Compare(const Case& c, const Outcome& a, const Outcome& b) {
  // Byte for byte while the file before the operation was in normal form on the first side.
  bool bytes = IsNormal(c.File);
  for (size_t i = 0; i < c.Ops.size(); ++i) {
    if (i >= a.Answers.size() || i >= b.Answers.size()) return Mismatch{i, "answers missing"};
    if (auto m = CompareAnswer(a.Answers[i], b.Answers[i], bytes)) {
      m->Op = i;
      return m;
    }
    if (c.Ops[i].Kind == OpKind::Write) bytes = IsNormal(a.Answers[i].File);
  }
  if (a.Answers.size() != b.Answers.size()) return Mismatch{c.Ops.size(), "extra answers"};
  return std::nullopt;
}

Case Shrink(const Case& start, const Runner& run) {
  Case best = start;
  auto first = run({best});
  if (!first || first->first.empty() || first->second.empty()) return best;
  std::optional<Mismatch> m = Compare(best, first->first[0], first->second[0]);
  if (!m) return best;
  if (m->Op + 1 < best.Ops.size()) best.Ops.resize(m->Op + 1);
  for (;;) {
    // Every case one step smaller: without one operation, without one line, without the file,
    // with a long line or value halved.
    std::vector<Case> smaller;
    for (size_t i = 0; best.Ops.size() > 1 && i < best.Ops.size(); ++i) {
      Case c = best;
      c.Ops.erase(c.Ops.begin() + static_cast<std::ptrdiff_t>(i));
      smaller.push_back(std::move(c));
    }
    if (best.File) {
      std::vector<std::string_view> lines = LinesWithEnds(*best.File);
      for (size_t i = 0; i < lines.size(); ++i) {
        Case c = best;
        c.File = std::string();
        for (size_t j = 0; j < lines.size(); ++j)
          if (j != i) *c.File += lines[j];
        smaller.push_back(std::move(c));
      }
      Case none = best;
      none.File.reset();
      smaller.push_back(std::move(none));
      // Long lines cut to half their content.
      for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        size_t content =
            line.find_first_of("\r\n") == line.npos ? line.size() : line.find_first_of("\r\n");
        if (content <= kLong) continue;
        Case c = best;
        c.File = std::string();
        for (size_t j = 0; j < lines.size(); ++j)
          *c.File +=
              j != i ? std::string(lines[j])
                     : std::string(line.substr(0, content / 2)) + std::string(line.substr(content));
        smaller.push_back(std::move(c));
      }
    }
    // Long values cut to half.
    for (size_t i = 0; i < best.Ops.size(); ++i) {
      if (best.Ops[i].Value.size() <= kLong) continue;
      Case c = best;
      c.Ops[i].Value.resize(c.Ops[i].Value.size() / 2);
      smaller.push_back(std::move(c));
    }
    static uint64_t fresh = uint64_t{1} << 48;  // fresh file names: no cached file is reused
    for (Case& c : smaller)
      c.Id = fresh++;
    auto got = run(smaller);
    if (!got || got->first.size() != smaller.size() || got->second.size() != smaller.size())
      return best;
    bool progress = false;
    for (size_t i = 0; i < smaller.size() && !progress; ++i) {
      if (Fails(smaller[i], got->first[i], got->second[i])) {
        best = smaller[i];
        progress = true;
      }
    }
    if (!progress) {
      best.Id = start.Id;
      return best;
    }
  }
}

std::string Visible(std::string_view bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c > 0x7E) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string Describe(const Case& c) {
  std::string out = "  file: " + FileText(c.File) + "\n";
  for (const Op& op : c.Ops) {
    const char* name = op.Kind == OpKind::ReadString ? "read string"
                       : op.Kind == OpKind::ReadInt  ? "read integer"
                                                     : "write";
    out += std::string("  ") + name + " [" + Visible(op.Section) + "] \"" + Visible(op.Key) +
           "\" " + (op.Kind == OpKind::Write ? "value" : "default") + " \"" + Visible(op.Value) +
           "\"\n";
  }
  return out;
}

}  // namespace inidiff
