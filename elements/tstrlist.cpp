#include "elements/tstrlist.h"

#include <algorithm>

#include "platform/os.h"

namespace {
std::string_view CutAtZero(std::string_view s) {
  size_t z = s.find('\0');
  return z == std::string_view::npos ? s : s.substr(0, z);
}
}  // namespace

std::string_view TStrList::Line(size_t i) const {
  if (i >= Lines.size()) return {};
  return std::string_view(Buf).substr(Lines[i].Offset, Lines[i].Length);
}

void TStrList::Append(std::string_view s) {
  if (!Buf.empty() && s.data() >= Buf.data() && s.data() < Buf.data() + Buf.size()) {
    std::string copy(s);  // a line of this list: Buf may move while it grows
    Append(copy);
    return;
  }
  LineRef r;
  r.Offset = Buf.size();
  r.Length = s.size();
  Buf.append(s);
  Lines.push_back(r);
}

void TStrList::Add(std::string_view s) {
  Append(CutAtZero(s));
}

void TStrList::Set(size_t i, std::string_view s) {
  if (i >= Lines.size()) return;
  s = CutAtZero(s);
  LineRef& r = Lines[i];
  if (s.size() <= r.Length) {
    // Fits in place; the bytes left over are waste. s may point into Buf itself.
    Buf.replace(r.Offset, s.size(), s.data(), s.size());
    Waste += r.Length - s.size();
    r.Length = s.size();
  } else {
    std::string copy(s);  // s may point into Buf, which can move while it grows
    Waste += r.Length;
    r.Offset = Buf.size();
    r.Length = copy.size();
    Buf.append(copy);
    CompactIfWasteful();
  }
}

void TStrList::CompactIfWasteful() {
  if (Waste < 4096 || Waste < Buf.size() / 2) return;
  std::string fresh;
  fresh.reserve(Buf.size() - Waste);
  for (LineRef& r : Lines) {
    size_t at = fresh.size();
    fresh.append(Buf, r.Offset, r.Length);
    r.Offset = at;
  }
  Buf.swap(fresh);
  Waste = 0;
}

void TStrList::Clear() {
  Buf.clear();
  Lines.clear();
  Waste = 0;
}

void TStrList::SetText(std::string_view text) {
  text = CutAtZero(text);
  if (!Buf.empty() && text.data() >= Buf.data() && text.data() < Buf.data() + Buf.capacity()) {
    TakeText(std::string(text));  // a line of this very list: copy it first
    return;
  }
  Clear();
  Buf.assign(text);  // reuses the buffer's memory
  SplitBuffer();
}

void TStrList::TakeText(std::string&& text) {
  Clear();
  size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  Buf = std::move(text);
  SplitBuffer();
}

void TStrList::SplitBuffer() {
  // The lines stay where they are in the buffer; their line ends become unused bytes.
  Lines.reserve(static_cast<size_t>(std::count(Buf.begin(), Buf.end(), '\r')) + 1);
  size_t used = 0;
  const char* base = Buf.data();
  ForEachLine(Buf, [&](std::string_view line) {
    Lines.push_back(LineRef{static_cast<size_t>(line.data() - base), line.size()});
    used += line.size();
  });
  Waste = Buf.size() - used;
}

std::string TStrList::Text() const {
  std::string out;
  for (size_t i = 0; i < Lines.size(); ++i) {
    out.append(Line(i));
    out.append("\r\n");
  }
  return out;
}

bool TStrList::LoadFromFile(const std::string& path) {
  std::string text;
  if (!os::ReadWholeFile(path, text)) return false;
  TakeText(std::move(text));
  return true;
}

void TStrListEx::Clear() {
  TStrList::Clear();
  Objects.clear();
}

void TStrListEx::SetText(std::string_view text) {
  TStrList::SetText(text);
  Objects.assign(Count(), nullptr);
}

void TStrListEx::TakeText(std::string&& text) {
  TStrList::TakeText(std::move(text));
  Objects.assign(Count(), nullptr);
}

void TStrListEx::AddObject(std::string_view s, void* obj) {
  if (Objects.size() < Count()) Objects.resize(Count(), nullptr);
  Add(s);
  Objects.push_back(obj);
}
