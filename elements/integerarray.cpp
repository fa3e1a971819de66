#include "elements/integerarray.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "elements/tstrlist.h"
#include "platform/os.h"

int32_t THIIntegerArray::ToItem(const TData& v) {
  return ToInteger(v);
}
void THIIntegerArray::FromItem(int32_t item, TData& v) {
  SetInteger(v, item);
}

void THIIntegerArray::LoadText(std::string_view text) {
  size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\r')) + 1;
  Reserve(lines, text.size());
  size_t first = Size();
  ForEachLine(text, [this](std::string_view line) {
    TNameValue entry = SplitNameValue(line);
    AppendItem(entry.Name, LoadItem(entry.Value), false);
  });
  IndexFrom(first);
}

void THIIntegerArray::LoadRaw(std::string_view bytes) {
  size_t n = bytes.size() / 4;  // trailing bytes short of a whole item are ignored
  Reserve(n, 0);
  size_t first = Size();
  for (size_t i = 0; i < n; ++i) {
    int32_t v;
    std::memcpy(&v, bytes.data() + i * 4, 4);
    AppendItem({}, v, false);
  }
  IndexFrom(first);
}

void THIIntegerArray::doLoad(TData& data, uint16_t) {
  std::string name = ReadString(data, FileNamePoint, FileName);
  // A file bigger than any real data file is taken for a missing one.
  if (!os::FileWithin(name, os::kDataFileMax)) return;
  ClearItems();
  try {
    std::string bytes;
    if (!os::ReadWholeFile(name, bytes)) return;
    if (TextMode)
      TakeLines(std::move(bytes));
    else
      LoadRaw(bytes);
  } catch (const std::bad_alloc&) {
    ClearItems();  // a file too big for memory loads as nothing
  }
}

void THIIntegerArray::doClear(TData&, uint16_t) {
  ClearItems();
}

void THIIntegerArray::GetArray(TData& data, uint16_t) {
  SetArrayValue(data, &Intf);
}
