#include "app/check/source_text.h"

#include <algorithm>

#include "elements/tstrlist.h"
#include "platform/os.h"

namespace {

// The number of the line that byte offset at falls in: every CR (alone or before LF) ends one.
size_t LineOfOffset(std::string_view text, size_t at) {
  return 1 + static_cast<size_t>(
                 std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\r'));
}

}  // namespace

TSourceText ReadSourceText(const std::string& name, bool required, TFindings& findings) {
  TSourceText src;
  src.Name = name;
  if (os::IsFolder(name) || !os::ReadWholeFile(name, src.Bytes)) {
    std::string text = "the file is missing or cannot be read";
    if (required)
      findings.Fail(name, 1, text);
    else
      findings.Warn(name, 1, text);
    src.Bytes.clear();
    return src;
  }
  src.Readable = true;
  std::string_view text = src.Bytes;
  size_t nul = text.find('\0');
  if (nul != std::string_view::npos) {
    findings.Warn(name, LineOfOffset(text, nul), "a NUL byte: the rest of the file is ignored");
    text = text.substr(0, nul);
  }
  if (text.substr(0, 3) == "\xEF\xBB\xBF")
    findings.Warn(name, 1, "a UTF-8 byte order mark begins the file and is read as text");
  ForEachLine(text, [&](std::string_view line) { src.Lines.push_back(line); });
  bool hasCr = text.find('\r') != std::string_view::npos;
  if (!hasCr && text.find('\n') != std::string_view::npos) {
    src.LfOnly = true;
    findings.Warn(name, 1, "line ends are LF only, so the whole file reads as one line");
  } else {
    for (size_t n = 0; n < src.Lines.size(); ++n)
      if (src.Lines[n].find('\n') != std::string_view::npos)
        findings.Warn(name, n + 1, "a line feed without a carriage return does not end the line");
  }
  return src;
}
