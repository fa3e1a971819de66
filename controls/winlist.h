// THIWinList: the list operations of a list window; THIComboBox: a drop-down list.
#pragma once

#include <string>
#include <vector>

#include "controls/win.h"

class THIWinList : public THIWin {
 public:
  using THIWin::THIWin;

  THI_Event onChange;
  THI_Event onClick;
  THI_Event StrPoint;  // read by doAdd

  // The list operations.
  virtual std::vector<std::string> CopyItems() const;
  virtual void SetItemsText(std::string_view text);  // one item per line (CR or CR LF)
  virtual int AddItem(std::string_view text);
  virtual void SelectItem(int index);
  virtual void SetItemText(int index, std::string_view text);
  virtual void ClearItems(TData& data);   // fires onChange with data
  virtual std::string ItemsText() const;  // one item per line, CR LF between

  void doAdd(TData& data, uint16_t);
  void doClear(TData& data, uint16_t);
  void doSelectString(TData& data, uint16_t);
  void doSelect(TData& data, uint16_t);  // selects by index
  void doText(TData& data, uint16_t);    // replaces all items by the lines of a text
};

class THIComboBox : public THIWinList {
 public:
  explicit THIComboBox(TControl* parent);

  std::string Text = "ComboBox";
  uint8_t Editable = 0;
  uint8_t Sorted = 0;
  uint8_t DataType = 0;  // 1: onClick sends the item text, else the index

  void Init() override;

 protected:
  void CtlSelChange(TControl& c) override;
};
