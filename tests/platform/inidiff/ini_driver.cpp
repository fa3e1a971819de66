// Runs ini cases through the OS layer this program is built over (the POSIX one or the native
// Windows calls): reads cases from standard input, writes the answers to standard output.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tests/platform/inidiff/ini_case.h"
#include "tests/platform/inidiff/ini_run.h"

int main() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  auto cases = inidiff::ParseCases(text);
  if (!cases) {
    std::fprintf(stderr, "ini_driver: malformed cases\n");
    return 2;
  }
  for (const inidiff::Case& c : *cases) {
    std::optional<inidiff::Outcome> o = inidiff::RunCase(c);
    if (!o) {
      std::fprintf(stderr, "ini_driver: cannot write the file of case %llu\n",
                   static_cast<unsigned long long>(c.Id));
      return 2;
    }
    std::string out = inidiff::FormatOutcomes({*o});
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
