// The ini differential test: runs the same seeded cases through two builds of ini_driver (the
// POSIX layer and the native Windows calls) and compares every answer and every file.
//   ini_diff <first seed> <case count> <work folder> <command A> <command B>
// Each command reads cases on standard input and writes answers to standard output. A mismatch
// prints the smallest case found that shows it; the exit code is 1 when there was one.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/platform/inidiff/ini_case.h"
#include "tests/platform/inidiff/ini_compare.h"
#include "tests/platform/inidiff/ini_gen.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::optional<std::vector<inidiff::Outcome>> RunSide(const std::string& command,
                                                     const std::string& cases,
                                                     const std::string& out) {
  std::string line = "(" + command + ") < '" + cases + "' > '" + out + "'";
  if (std::system(line.c_str()) != 0) return std::nullopt;
  return inidiff::ParseOutcomes(ReadAll(out));
}

struct Counts {
  size_t Reads = 0, Writes = 0, Refused = 0, NormalStarts = 0;
};

void Count(const inidiff::Case& c, const inidiff::Outcome& o, Counts& n) {
  if (!c.File || inidiff::NormalForm(*c.File) == *c.File) ++n.NormalStarts;
  for (size_t i = 0; i < c.Ops.size() && i < o.Answers.size(); ++i) {
    if (c.Ops[i].Kind != inidiff::OpKind::Write) {
      ++n.Reads;
    } else {
      ++n.Writes;
      if (!o.Answers[i].Written) ++n.Refused;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr,
                 "usage: ini_diff <first seed> <count> <work folder> <command A> <command B>\n");
    return 2;
  }
  uint64_t first = std::strtoull(argv[1], nullptr, 10);
  uint64_t count = std::strtoull(argv[2], nullptr, 10);
  std::string work = argv[3];
  std::string cmdA = argv[4], cmdB = argv[5];

  inidiff::Runner run = [&](const std::vector<inidiff::Case>& cases)
      -> std::optional<std::pair<std::vector<inidiff::Outcome>, std::vector<inidiff::Outcome>>> {
    std::string in = work + "/cases.txt";
    std::ofstream(in, std::ios::binary) << inidiff::FormatCases(cases);
    auto a = RunSide(cmdA, in, work + "/answers-a.txt");
    auto b = RunSide(cmdB, in, work + "/answers-b.txt");
    if (!a || !b || a->size() != cases.size() || b->size() != cases.size()) return std::nullopt;
    return std::make_pair(std::move(*a), std::move(*b));
  };

  std::vector<inidiff::Case> cases;
  for (uint64_t s = first; s < first + count; ++s)
    cases.push_back(inidiff::Generate(s));
  auto got = run(cases);
  if (!got) {
    std::fprintf(stderr, "ini_diff: a driver failed or gave malformed answers\n");
    return 2;
  }
  Counts n;
  size_t mismatches = 0;
  for (size_t i = 0; i < cases.size(); ++i) {
    Count(cases[i], got->first[i], n);
    std::optional<inidiff::Mismatch> m = inidiff::Compare(cases[i], got->first[i], got->second[i]);
    if (!m) continue;
    if (++mismatches > 5) continue;  // the first few are shown, every one is counted
    inidiff::Case small = inidiff::Shrink(cases[i], run);
    auto again = run({small});
    std::optional<inidiff::Mismatch> sm;
    if (again) sm = inidiff::Compare(small, again->first[0], again->second[0]);
    std::printf("MISMATCH in case %llu, operation %zu: %s\n",
                static_cast<unsigned long long>(cases[i].Id), m->Op + 1, m->What.c_str());
    std::printf("smallest case found:\n%s", inidiff::Describe(small).c_str());
    if (sm) std::printf("  -> operation %zu: %s (A, then B)\n", sm->Op + 1, sm->What.c_str());
  }
  std::printf(
      "ini_diff: seeds %llu-%llu: %zu cases (%zu starting files in normal form), %zu reads, "
      "%zu writes (%zu refused on both sides), %zu mismatches\n",
      static_cast<unsigned long long>(first), static_cast<unsigned long long>(first + count - 1),
      cases.size(), n.NormalStarts, n.Reads, n.Writes, n.Refused, mismatches);
  return mismatches == 0 ? 0 : 1;
}
