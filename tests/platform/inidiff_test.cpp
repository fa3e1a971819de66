// The ini differential test's own parts: the case text form, the generator's reach, the normal
// form, the comparison rules and the search for the smallest mismatching case.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/profile_text.h"
#include "tests/platform/inidiff/ini_case.h"
#include "tests/platform/inidiff/ini_compare.h"
#include "tests/platform/inidiff/ini_gen.h"
#include "tests/platform/inidiff/ini_run.h"

using namespace inidiff;

namespace {

// Runs the test body's cases in a fresh folder (the driver works in the current one).
class InCleanFolder {
 public:
  InCleanFolder() : Back(std::filesystem::current_path()) {
    std::random_device random;
    do {
      Dir = std::filesystem::temp_directory_path() / ("hs-inidiff-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(Dir));
    std::filesystem::current_path(Dir);
  }
  ~InCleanFolder() {
    std::filesystem::current_path(Back);
    std::error_code ec;
    std::filesystem::remove_all(Dir, ec);
  }
  bool Empty() const { return std::filesystem::is_empty(Dir); }

 private:
  std::filesystem::path Back, Dir;
};

Answer Read(const char* text) {
  Answer a;
  a.Text = text;
  return a;
}

Answer Written(const char* file) {
  Answer a;
  a.Written = true;
  a.File = std::string(file);
  return a;
}

}  // namespace

TEST(IniDiffFormat, FieldsKeepEveryByte) {
  std::string all;
  for (int c = 0; c < 256; ++c)
    all.push_back(static_cast<char>(c));
  for (std::string s : {std::string(), all, std::string("-"), std::string("%41 *")}) {
    std::string e = Escape(s);
    EXPECT_EQ(e.find_first_of(" \r\n\t"), std::string::npos);
    EXPECT_EQ(Unescape(e), s);
  }
  for (const char* bad : {"", "%", "%4", "%G0", "a b", "%4x", "*", "a-b"})
    EXPECT_EQ(Unescape(bad), std::nullopt) << bad;
}

TEST(IniDiffFormat, CasesAndAnswersSurviveTheirTextForm) {
  std::vector<Case> cases;
  for (uint64_t s = 1; s <= 60; ++s)
    cases.push_back(Generate(s));
  std::string text = FormatCases(cases);
  auto back = ParseCases(text);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ((*back)[i].File, cases[i].File);
    ASSERT_EQ((*back)[i].Ops.size(), cases[i].Ops.size());
    for (size_t j = 0; j < cases[i].Ops.size(); ++j) {
      EXPECT_EQ((*back)[i].Ops[j].Kind, cases[i].Ops[j].Kind);
      EXPECT_EQ((*back)[i].Ops[j].Value, cases[i].Ops[j].Value);
    }
  }
  EXPECT_EQ(FormatCases(*back), text);

  Outcome o{9, {Read("x y"), Written("[s]\r\n"), Written("")}};
  auto ob = ParseOutcomes(FormatOutcomes({o}));
  ASSERT_TRUE(ob && ob->size() == 1);
  EXPECT_EQ(FormatOutcomes(*ob), FormatOutcomes({o}));
  EXPECT_EQ((*ob)[0].Answers[2].File, std::string());
  EXPECT_EQ((*ob)[0].Answers[0].File, std::nullopt);

  for (const char* bad : {"case x\nend\n", "case 1\n", "case 1\nread a b\nend\n",
                          "case 1\nbogus - - -\nend\n", "end\n", "case 1\nfile\nend\n"})
    EXPECT_EQ(ParseCases(bad), std::nullopt) << bad;
  for (const char* bad : {"case 1\nanswer - 2 *\nend\n", "case 1\nanswer -\nend\n", "case 1\n"})
    EXPECT_EQ(ParseOutcomes(bad), std::nullopt) << bad;
}

TEST(IniDiffGenerator, SameSeedSameCaseAndEveryFeatureIsReached) {
  EXPECT_EQ(FormatCases({Generate(42)}), FormatCases({Generate(42)}));
  EXPECT_NE(FormatCases({Generate(42)}), FormatCases({Generate(43)}));
  struct {
    int CrLf = 0, Lf = 0, LoneCr = 0, NoFile = 0, NormalFile = 0, Duplicates = 0, NoEqual = 0,
        Long = 0, HighBytes = 0, Refused = 0, TopSection = 0, Reads = 0, Ints = 0, Writes = 0;
  } n;
  for (uint64_t s = 1; s <= 500; ++s) {
    Case c = Generate(s);
    if (!c.File) {
      ++n.NoFile;
    } else {
      const std::string& f = *c.File;
      n.CrLf += f.find("\r\n") != f.npos;
      n.Lf += f.find('\n') != f.npos && f.find("\r\n") == f.npos;
      for (size_t i = 0; i + 1 < f.size(); ++i)
        if (f[i] == '\r' && f[i + 1] != '\n') {
          ++n.LoneCr;
          break;
        }
      n.NormalFile += NormalForm(f) == f && !f.empty();
      n.HighBytes += f.find_first_of("\x80\xC3\xE9") != f.npos;
      std::vector<std::string> headers;
      for (std::string_view line : LinesWithEnds(f)) {
        std::string t = NormalForm(line);
        if (t.size() > 2 && t[0] == '[') {
          for (const std::string& h : headers)
            n.Duplicates += os::profile::EqualNoCase(h, t);
          headers.push_back(t);
        } else if (!t.empty() && t.find('=') == t.npos && t[0] != ';') {
          ++n.NoEqual;
        }
        n.Long += line.size() > 2040;
      }
    }
    for (const Op& op : c.Ops) {
      n.Reads += op.Kind == OpKind::ReadString;
      n.Ints += op.Kind == OpKind::ReadInt;
      n.Writes += op.Kind == OpKind::Write;
      n.TopSection += op.Section.empty();
      n.Refused += op.Kind == OpKind::Write && !os::profile::CanWrite(op.Section, op.Key, op.Value);
    }
  }
  const std::pair<const char*, int> reached[] = {{"CR LF", n.CrLf},
                                                 {"LF only", n.Lf},
                                                 {"lone CR", n.LoneCr},
                                                 {"no file", n.NoFile},
                                                 {"tidy file", n.NormalFile},
                                                 {"duplicates", n.Duplicates},
                                                 {"no '='", n.NoEqual},
                                                 {"long value", n.Long},
                                                 {"bytes > 127", n.HighBytes},
                                                 {"refused", n.Refused},
                                                 {"section \"\"", n.TopSection},
                                                 {"reads", n.Reads},
                                                 {"integer reads", n.Ints},
                                                 {"writes", n.Writes}};
  for (auto& [what, count] : reached)
    EXPECT_GE(count, 5) << what;
}

TEST(IniDiffCompare, NormalForm) {
  const std::pair<const char*, const char*> rows[] = {
      {"", ""},
      {"[s]\r\nk=v\r\n", "[s]\r\nk=v\r\n"},
      {"[s]\nk=v", "[s]\r\nk=v\r\n"},
      {"  [ s ] junk \r\r\n\n \t\n k \t= v \rx\r", "[s]\r\nk=v\r\nx\r\n"},
      {";c = 1\n[unclosed\n#h\n", ";c=1\r\n[unclosed\r\n#h\r\n"},
      {"a = b = c\n[x]]\n", "a=b = c\r\n[x]]\r\n"},
  };
  for (auto& [in, out] : rows) {
    EXPECT_EQ(NormalForm(in), out) << in;
    EXPECT_EQ(NormalForm(out), out);
  }
}

TEST(IniDiffCompare, BytesCountWhileTheFileWasNormal) {
  Op write{OpKind::Write, "s", "k", "v"};
  Op read{OpKind::ReadString, "s", "k", "d"};
  struct Row {
    std::optional<std::string> Start;
    std::vector<Op> Ops;
    std::vector<Answer> A, B;
    std::optional<size_t> MismatchAt;
  };
  const Row rows[] = {
      // Only the tidying differs: no mismatch when the start was not tidy.
      {"[s]\n\nk = 1\n", {write}, {Written("[s]\n\nk=v\n")}, {Written("[s]\r\nk=v\r\n")}, {}},
      // A tidy start must stay byte for byte the same.
      {"[s]\r\nk=1\r\n", {write}, {Written("[s]\r\nk=v\r\n")}, {Written("[s]\r\nk=v \r\n")}, 0},
      {std::nullopt, {write}, {Written("[s]\r\nk=v\r\n")}, {Written("[s]\nk=v\n")}, 0},
      // After a write that left an untidy file, normal form again.
      {std::nullopt,
       {write, write},
       {Written("[s]\r\nk=v \r\n"), Written("[s]\r\nk=v \r\nj=1\r\n")},
       {Written("[s]\r\nk=v \r\n"), Written("[s]\r\nk=v\r\nj=1\r\n")},
       {}},
      {"[s]\n", {write}, {Written("[s]\nk=v\n")}, {Written("[s]\r\nk=w\r\n")}, 0},
      {"x", {read, read}, {Read("a"), Read("b")}, {Read("a"), Read("c")}, 1},
      {"x", {read, write}, {Read("a"), Answer()}, {Read("a"), Written("x")}, 1},
      {"x", {write}, {Answer()}, {Answer()}, {}},
      {"x", {read, read}, {Read("a"), Read("b")}, {Read("a")}, 1},
  };
  for (const Row& r : rows) {
    Case c{1, r.Start, r.Ops};
    auto m = Compare(c, Outcome{1, r.A}, Outcome{1, r.B});
    ASSERT_EQ(m.has_value(), r.MismatchAt.has_value()) << (r.Start ? *r.Start : "-");
    if (m) {
      EXPECT_EQ(m->Op, *r.MismatchAt);
    }
  }
}

TEST(IniDiffShrink, FindsTheOneLineAndOperationThatShowAFault) {
  InCleanFolder here;
  // The second side misreads any key while the file holds the line "zz=1".
  Runner run = [](const std::vector<Case>& cases) {
    std::vector<Outcome> a, b;
    for (const Case& c : cases) {
      a.push_back(*RunCase(c));
      Outcome o = a.back();
      for (size_t i = 0; i < c.Ops.size(); ++i)
        if (c.File && c.File->find("zz=1") != c.File->npos && c.Ops[i].Kind == OpKind::ReadString)
          o.Answers[i].Text = "fault";
      b.push_back(std::move(o));
    }
    return std::optional(std::make_pair(a, b));
  };
  Case c = Generate(5);
  c.File = "; head\n[Main]\nk=1\n\nzz=1\n[other]\nx=2\n";
  c.Ops = {Op{OpKind::Write, "main", "k", "2"}, Op{OpKind::ReadInt, "main", "k", "0"},
           Op{OpKind::ReadString, "other", "x", "d"}, Op{OpKind::Write, "main", "j", "3"}};
  Case small = Shrink(c, run);
  EXPECT_EQ(small.Id, c.Id);
  EXPECT_EQ(small.File, "zz=1\n");
  ASSERT_EQ(small.Ops.size(), 1u);
  EXPECT_EQ(small.Ops[0].Kind, OpKind::ReadString);
  EXPECT_NE(Describe(small).find("zz=1\\n"), std::string::npos);

  // Long values and lines are cut down as far as the fault allows.
  Runner longWrites = [](const std::vector<Case>& cases) {
    std::vector<Outcome> a, b;
    for (const Case& c : cases) {
      a.push_back(*RunCase(c));
      Outcome o = a.back();
      for (size_t i = 0; i < c.Ops.size(); ++i)
        if (c.Ops[i].Kind == OpKind::Write && c.Ops[i].Value.size() > 100)
          o.Answers[i].Written = false;
      b.push_back(std::move(o));
    }
    return std::optional(std::make_pair(a, b));
  };
  c.Id = 7;
  c.File = "[s]\nlong=" + std::string(3000, 'x') + "\n";
  c.Ops = {Op{OpKind::ReadString, "s", "long", ""},
           Op{OpKind::Write, "s", "k", std::string(2047, 'v')}};
  small = Shrink(c, longWrites);
  ASSERT_EQ(small.Ops.size(), 1u);
  EXPECT_GT(small.Ops[0].Value.size(), 100u);
  EXPECT_LE(small.Ops[0].Value.size(), 200u);
  EXPECT_EQ(small.File, std::nullopt);

  // A case without a mismatch comes back as it was.
  c.Id = 6;  // a fresh file name: the Windows calls cache files by name
  c.File = "[Main]\nk=1\n";
  EXPECT_EQ(FormatCases({Shrink(c, run)}), FormatCases({c}));
  EXPECT_TRUE(here.Empty());  // every case removed its file
}
