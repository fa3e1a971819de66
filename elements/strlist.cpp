#include "elements/strlist.h"

#include "platform/os.h"

namespace {
void RedirectNull(TData& data, const THI_Event& e) {
  SetNull(data);
  Redirect(data, e);
}
}  // namespace

void THIStrList::doAdd(TData& data, uint16_t) {
  Lines.Add(ReadString(data, StrPoint));
  RedirectNull(data, onChange);
}

void THIStrList::doClear(TData& data, uint16_t) {
  Lines.Clear();
  RedirectNull(data, onChange);
}

void THIStrList::doLoad(TData& data, uint16_t) {
  std::string name = ReadString(data, FileNamePoint, FileName);
  // A file bigger than any real data file is taken for a missing one.
  if (!os::FileWithin(name, os::kDataFileMax)) return;
  Lines.LoadFromFile(name);  // a file that cannot be read leaves the lines as they were
  RedirectNull(data, onChange);
}

void THIStrList::GetArray(TData& data, uint16_t) {
  if (!ArrayView) ArrayView = std::make_unique<TArrayIntf>(BindArrayIntf(this));
  SetArrayValue(data, ArrayView.get());
}

void THIStrList::ArrSet(const TData& index, const TData& value) {
  int32_t i = ToInteger(index);
  if (i >= 0 && static_cast<size_t>(i) < Lines.Count())
    Lines.Set(static_cast<size_t>(i), ToString(value));
}

bool THIStrList::ArrGet(const TData& index, TData& result) {
  SetNull(result);
  int32_t i = ToInteger(index);
  if (i < 0 || static_cast<size_t>(i) >= Lines.Count()) return false;
  SetString(result, Lines.Line(static_cast<size_t>(i)));
  return true;
}

void THIStrList::ArrAdd(const TData& value) {
  Lines.Add(ToString(value));
}
