#include "tests/platform/inidiff/ini_case.h"

#include <charconv>

namespace inidiff {
namespace {

bool Plain(unsigned char c) {
  return c > 0x20 && c < 0x7F && c != '%' && c != '-' && c != '*';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The lines of text, split at LF.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> out;
  while (!text.empty()) {
    size_t e = text.find('\n');
    out.push_back(text.substr(0, e));
    text = e == text.npos ? std::string_view() : text.substr(e + 1);
  }
  return out;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> out;
  while (!line.empty()) {
    size_t e = line.find(' ');
    out.push_back(line.substr(0, e));
    line = e == line.npos ? std::string_view() : line.substr(e + 1);
  }
  return out;
}

std::optional<uint64_t> Number(std::string_view s) {
  uint64_t v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

// A file field: "*" for no file.
std::string EscapeFile(const std::optional<std::string>& f) {
  return f ? Escape(*f) : std::string("*");
}

bool UnescapeFile(std::string_view field, std::optional<std::string>& out) {
  if (field == "*") {
    out.reset();
    return true;
  }
  out = Unescape(field);
  return out.has_value();
}

const char* OpName(OpKind k) {
  switch (k) {
    case OpKind::ReadString:
      return "read";
    case OpKind::ReadInt:
      return "int";
    case OpKind::Write:
      break;
  }
  return "write";
}

std::optional<OpKind> OpFromName(std::string_view n) {
  if (n == "read") return OpKind::ReadString;
  if (n == "int") return OpKind::ReadInt;
  if (n == "write") return OpKind::Write;
  return std::nullopt;
}

}  // namespace

std::string Escape(std::string_view bytes) {
  if (bytes.empty()) return "-";
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (Plain(c)) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view field) {
  if (field == "-") return std::string();
  if (field.empty()) return std::nullopt;
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(field[i]);
    if (c == '%') {
      if (i + 2 >= field.size()) return std::nullopt;
      int hi = HexDigit(field[i + 1]), lo = HexDigit(field[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      out.push_back(static_cast<char>(hi * 16 + lo));
      i += 2;
    } else if (Plain(c)) {
      out.push_back(static_cast<char>(c));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::string FormatCases(const std::vector<Case>& cases) {
  std::string out;
  for (const Case& c : cases) {
    out += "case " + std::to_string(c.Id) + "\n";
    out += "file " + EscapeFile(c.File) + "\n";
    for (const Op& op : c.Ops) {
      out += std::string(OpName(op.Kind)) + " " + Escape(op.Section) + " " + Escape(op.Key) + " " +
             Escape(op.Value) + "\n";
    }
    out += "end\n";
  }
  return out;
}

std::optional<std::vector<Case>> ParseCases(std::string_view text) {
  std::vector<Case> out;
  bool open = false;
  for (std::string_view line : Lines(text)) {
    std::vector<std::string_view> w = Words(line);
    if (w.empty()) continue;
    if (!open) {
      std::optional<uint64_t> id = w.size() == 2 && w[0] == "case" ? Number(w[1]) : std::nullopt;
      if (!id) return std::nullopt;
      out.emplace_back().Id = *id;
      open = true;
    } else if (w[0] == "end" && w.size() == 1) {
      open = false;
    } else if (w[0] == "file" && w.size() == 2) {
      if (!UnescapeFile(w[1], out.back().File)) return std::nullopt;
    } else {
      std::optional<OpKind> kind = OpFromName(w[0]);
      if (!kind || w.size() != 4) return std::nullopt;
      auto s = Unescape(w[1]), k = Unescape(w[2]), v = Unescape(w[3]);
      if (!s || !k || !v) return std::nullopt;
      out.back().Ops.push_back(Op{*kind, *s, *k, *v});
    }
  }
  if (open) return std::nullopt;
  return out;
}

std::string FormatOutcomes(const std::vector<Outcome>& outcomes) {
  std::string out;
  for (const Outcome& o : outcomes) {
    out += "case " + std::to_string(o.Id) + "\n";
    for (const Answer& a : o.Answers) {
      out +=
          "answer " + Escape(a.Text) + " " + (a.Written ? "1 " : "0 ") + EscapeFile(a.File) + "\n";
    }
    out += "end\n";
  }
  return out;
}

std::optional<std::vector<Outcome>> ParseOutcomes(std::string_view text) {
  std::vector<Outcome> out;
  bool open = false;
  for (std::string_view line : Lines(text)) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string_view> w = Words(line);
    if (w.empty()) continue;
    if (!open) {
      std::optional<uint64_t> id = w.size() == 2 && w[0] == "case" ? Number(w[1]) : std::nullopt;
      if (!id) return std::nullopt;
      out.emplace_back().Id = *id;
      open = true;
    } else if (w[0] == "end" && w.size() == 1) {
      open = false;
    } else {
      if (w[0] != "answer" || w.size() != 4 || (w[2] != "0" && w[2] != "1")) return std::nullopt;
      Answer a;
      auto t = Unescape(w[1]);
      if (!t || !UnescapeFile(w[3], a.File)) return std::nullopt;
      a.Text = *t;
      a.Written = w[2] == "1";
      out.back().Answers.push_back(std::move(a));
    }
  }
  if (open) return std::nullopt;
  return out;
}

}  // namespace inidiff
