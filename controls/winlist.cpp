#include "controls/winlist.h"

std::vector<std::string> THIWinList::CopyItems() const {
  return Control->Items();
}

void THIWinList::SetItemsText(std::string_view text) {
  Control->ClearItems();
  // Lines end at CR or CR LF; a last line without an ending counts when not empty.
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') continue;
    Control->AddItem(text.substr(start, i - start));
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) Control->AddItem(text.substr(start));
}

int THIWinList::AddItem(std::string_view text) {
  return Control->AddItem(text, 0);
}

void THIWinList::SelectItem(int index) {
  Control->SetItemIndex(index);
}

void THIWinList::SetItemText(int index, std::string_view text) {
  Control->SetItem(index, text);
}

void THIWinList::ClearItems(TData& data) {
  Control->ClearItems();
  RedirectData(data, onChange, data);
}

std::string THIWinList::ItemsText() const {
  std::string r;
  for (const std::string& s : Control->Items()) {
    r += s;
    r += "\r\n";
  }
  return r;
}

void THIWinList::doAdd(TData& data, uint16_t) {
  TData received = data;
  AddItem(ReadString(data, StrPoint));
  RedirectData(data, onChange, received);
}

void THIWinList::doClear(TData& data, uint16_t) {
  ClearItems(data);
}

void THIWinList::doSelectString(TData& data, uint16_t) {
  std::string s = ToString(data);
  if (s.empty()) return;
  size_t star = s.find('*');
  std::string head = star == std::string::npos ? s : s.substr(0, star);
  std::string tail = star == std::string::npos ? s : s.substr(star + 1);
  SelectItem(Control->FindItem(head, tail != head));
}

void THIWinList::doSelect(TData& data, uint16_t) {
  SelectItem(ToInteger(data));
}

void THIWinList::doText(TData& data, uint16_t) {
  SetItemsText(ToString(data));
}

THIComboBox::THIComboBox(TControl* parent) : THIWinList(parent) {
  Control = new TControl(TControlKind::ComboBox, parent);
}

void THIComboBox::Init() {
  Control->SetSorted(Sorted != 0);
  Control->SetEditable(Editable != 0);
  THIWin::Init();
  Control->SetText(Text);
}

void THIComboBox::CtlSelChange(TControl& c) {
  int i = c.ItemIndex();
  if (i < 0) return;
  TData d;
  if (DataType == 1)
    SetString(d, c.Item(i));
  else
    SetInteger(d, i);
  TData extra = MakeInteger(c.ItemData(i));
  AppendChain(d, &extra);
  FireData(onClick, d);
  FreeChain(d);
}
