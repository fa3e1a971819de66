#include "tests/platform/inidiff/ini_gen.h"

#include "tests/platform/inidiff/ini_compare.h"

#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

namespace inidiff {
namespace {

// splitmix64: small, and the same everywhere.
class Rng {
 public:
  explicit Rng(uint64_t seed) : S(seed) {}
  uint64_t Next() {
    uint64_t z = (S += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }
  bool Chance(unsigned percent) { return Below(100) < percent; }
  template <typename T, size_t N>
  const T& Pick(const T (&pool)[N]) {
    return pool[Below(N)];
  }
  const std::string& Pick(const std::vector<std::string>& pool) { return pool[Below(pool.size())]; }

 private:
  uint64_t S;
};

const char* const kSections[] = {
    "Main", "main", "MAIN", "mAin", "s", "S", "x y", "\xC3\xA9t\xC3\xA9", "\xC3\x89t\xC3\xA9",
    "Other"};
const char* const kKeys[] = {"k", "K",    "key",  "keY", "language", "Left",  "left",  "a b",
                             "x", "\xE9", "\xC9", "n1",  "k2",       "Width", "\"q\"", "_"};
const char* const kValues[] = {"",
                               "v",
                               "7",
                               "-5",
                               "+5",
                               "0x10",
                               "0X1f",
                               "0o17",
                               "0b101",
                               "0b2",
                               "12abc",
                               "12 34",
                               "2147483648",
                               "4294967297",
                               "-2147483648",
                               "\"q\"",
                               "'q'",
                               "\"q'",
                               "\"\"",
                               "a=b",
                               "ru",
                               "\xC3\xA9\x81\xFF",
                               "-0x1F",
                               "0x",
                               "--3",
                               "; not a comment",
                               "[x]",
                               "\"  padded  \""};
const char* const kBlanks[] = {"", "", "", " ", "  ", "\t", " \t "};
const char* const kComments[] = {";c", "; k=1", ";[Main]", "#hash", "//slash"};
const int32_t kIntDefaults[] = {-1, 0, 7, 99, INT32_MIN, INT32_MAX};

std::string Blanks(Rng& r) {
  return r.Pick(kBlanks);
}

std::string LongValue(Rng& r) {
  size_t n = 2035 + r.Below(30);
  std::string v;
  for (size_t i = 0; i < n; ++i)
    v.push_back(static_cast<char>('a' + (i * 7 + n) % 26));
  if (r.Chance(30)) v[n - 1 - r.Below(5)] = '\xE9';
  return v;
}

std::string Value(Rng& r) {
  if (r.Chance(5)) return LongValue(r);
  return r.Pick(kValues);
}

// A name taken from the file most of the time, so that reads and writes meet its lines.
std::string Name(Rng& r, const std::vector<std::string>& seen, const char* const* pool,
                 size_t poolSize) {
  if (!seen.empty() && r.Chance(65)) return r.Pick(seen);
  return pool[r.Below(poolSize)];
}

struct FileParts {
  std::string Text;
  std::vector<std::string> Sections, Keys;
};

std::string LineEnd(Rng& r, int style) {
  switch (style) {
    case 0:
      return "\r\n";
    case 1:
      return "\n";
    default: {
      const char* const ends[] = {"\r\n", "\n", "\r"};
      return r.Pick(ends);
    }
  }
}

FileParts File(Rng& r) {
  FileParts f;
  int style = static_cast<int>(r.Below(10));  // 0-4 CR LF, 5-7 LF, 8-9 mixed
  style = style < 5 ? 0 : style < 8 ? 1 : 2;
  size_t lines = r.Below(12);
  for (size_t i = 0; i < lines; ++i) {
    std::string line;
    size_t kind = r.Below(100);
    if (kind < 22) {
      std::string s = r.Chance(60) && !f.Sections.empty() ? r.Pick(f.Sections) : r.Pick(kSections);
      f.Sections.push_back(s);
      line = Blanks(r) + "[" + Blanks(r) + s + Blanks(r) + "]" + Blanks(r);
      if (r.Chance(5)) line += " ; note";
    } else if (kind < 72) {
      std::string k = r.Chance(30) && !f.Keys.empty() ? r.Pick(f.Keys) : r.Pick(kKeys);
      f.Keys.push_back(k);
      line = Blanks(r) + k + Blanks(r) + "=" + Blanks(r) + Value(r) + Blanks(r);
    } else if (kind < 80) {
      std::string k = r.Pick(kKeys);
      f.Keys.push_back(k);
      line = Blanks(r) + k + Blanks(r);  // a line without '='
    } else if (kind < 88) {
      line = Blanks(r) + r.Pick(kComments);
    } else if (kind < 96) {
      line = Blanks(r);
    } else {
      line = "[unclosed";
    }
    f.Text += line;
    if (i + 1 < lines || r.Chance(85)) f.Text += LineEnd(r, style);
  }
  return f;
}

Op MakeOp(Rng& r, const FileParts& f) {
  Op op;
  size_t kind = r.Below(100);
  op.Kind = kind < 40 ? OpKind::ReadString : kind < 60 ? OpKind::ReadInt : OpKind::Write;
  op.Section = r.Chance(8) ? std::string() : Name(r, f.Sections, kSections, std::size(kSections));
  op.Key = Name(r, f.Keys, kKeys, std::size(kKeys));
  if (r.Chance(20)) op.Section = Blanks(r) + op.Section + Blanks(r);
  if (r.Chance(10)) op.Key = Blanks(r) + op.Key + Blanks(r);
  switch (op.Kind) {
    case OpKind::ReadString:
      op.Value = r.Chance(50) ? std::string("d") : Value(r) + Blanks(r);
      break;
    case OpKind::ReadInt:
      op.Value = std::to_string(r.Pick(kIntDefaults));
      break;
    case OpKind::Write:
      op.Value = Blanks(r) + Value(r) + Blanks(r);
      if (r.Chance(6)) {
        // Refused on every platform: the other side must refuse it too.
        const char* const bad[] = {"k\nx", "", " ", "a=b", ";c", "[k"};
        op.Key = r.Pick(bad);
      } else if (r.Chance(4)) {
        const char* const bad[] = {"a]b", "[x]", "ma\r\nin"};
        op.Section = r.Pick(bad);
      } else if (r.Chance(4)) {
        op.Value = "a\r\n[evil]\r\nx=1";
      }
      break;
  }
  return op;
}

}  // namespace

Case Generate(uint64_t seed) {
  Rng r(seed);
  Case c;
  c.Id = seed;
  FileParts f;
  if (r.Chance(90)) {
    f = File(r);
    // A quarter already in the tidy form the Windows calls write: these compare byte for byte.
    c.File = r.Chance(25) ? NormalForm(f.Text) : f.Text;
  }
  size_t ops = 1 + r.Below(6);
  for (size_t i = 0; i < ops; ++i)
    c.Ops.push_back(MakeOp(r, f));
  return c;
}

}  // namespace inidiff
