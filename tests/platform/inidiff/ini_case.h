// Cases of the ini differential test and their text form: a starting file and a script of
// reads and writes, and the answers a driver gives. The text form keeps every byte (escaped),
// so cases and answers pass through pipes unchanged on every platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inidiff {

enum class OpKind { ReadString, ReadInt, Write };

struct Op {
  OpKind Kind = OpKind::ReadString;
  std::string Section;
  std::string Key;
  std::string Value;  // the default of a read (decimal for ReadInt), the value of a write
};

struct Case {
  uint64_t Id = 0;
  std::optional<std::string> File;  // the starting file; none: no file at first
  std::vector<Op> Ops;
};

// The outcome of one operation.
struct Answer {
  std::string Text;                 // the text read, or the decimal integer read
  bool Written = false;             // a write: whether it reported success
  std::optional<std::string> File;  // a write: the file afterwards (none: no file)
};

struct Outcome {
  uint64_t Id = 0;
  std::vector<Answer> Answers;  // one per operation
};

// A field: bytes 0x21..0x7E except '%' and '-' as they are, others as %XX; "-" is empty.
std::string Escape(std::string_view bytes);
// The bytes of a field; nothing when it is malformed.
std::optional<std::string> Unescape(std::string_view field);

std::string FormatCases(const std::vector<Case>& cases);
// Nothing when the text is malformed.
std::optional<std::vector<Case>> ParseCases(std::string_view text);
std::string FormatOutcomes(const std::vector<Outcome>& outcomes);
std::optional<std::vector<Outcome>> ParseOutcomes(std::string_view text);

}  // namespace inidiff
