// TStrList: an ordered list of text lines in one growing buffer, and the rule that turns a
// text into lines (CR or CR LF end a line; a lone LF stays inside it; a zero byte ends the text).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStrList {
 public:
  size_t Count() const { return Lines.size(); }
  // Line i, or "" outside 0..Count()-1. The view is valid until the list next changes.
  std::string_view Line(size_t i) const;
  std::string Get(size_t i) const { return std::string(Line(i)); }
  // Sets the line at i (no change when i is out of range). A zero byte cuts the line there.
  void Set(size_t i, std::string_view s);
  // Appends s as one line, without splitting. A zero byte cuts the line there.
  void Add(std::string_view s);
  void Clear();
  // Replaces all lines by the lines of text.
  void SetText(std::string_view text);
  // The same, keeping text itself as the line buffer (no copy of a big file's contents).
  void TakeText(std::string&& text);
  // All lines, each followed by CR LF.
  std::string Text() const;
  // Reads the whole file and sets its text; false (lines unchanged) when it cannot be read.
  bool LoadFromFile(const std::string& path);

 private:
  struct LineRef {
    size_t Offset = 0;
    size_t Length = 0;
  };
  void Append(std::string_view s);
  void CompactIfWasteful();
  void SplitBuffer();  // makes the line table for the text in Buf
  std::string Buf;     // the text of all lines
  std::vector<LineRef> Lines;
  size_t Waste = 0;  // bytes of Buf no line refers to any more
};

// TStrList with one extra object reference per line.
class TStrListEx : public TStrList {
 public:
  void* Object(size_t i) const { return i < Count() && i < Objects.size() ? Objects[i] : nullptr; }
  void Clear();
  void SetText(std::string_view text);
  void TakeText(std::string&& text);
  void AddObject(std::string_view s, void* obj);

 private:
  std::vector<void*> Objects;
};

// Splits text into lines by the rule above, calling f(std::string_view line) for each.
template <class F>
void ForEachLine(std::string_view text, F&& f) {
  size_t end = text.find('\0');
  if (end != std::string_view::npos) text = text.substr(0, end);
  size_t p = 0;
  while (p < text.size()) {
    size_t cr = text.find('\r', p);
    size_t stop = cr == std::string_view::npos ? text.size() : cr;
    f(text.substr(p, stop - p));
    p = cr == std::string_view::npos ? text.size() : cr + 1;
    if (p < text.size() && text[p] == '\n') ++p;
  }
}
