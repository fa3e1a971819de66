// The element kinds the web backend asks the page (dom.js, HsKind) to make. A control's kind
// goes as its TControlKind number under its enumerator's name; the page's extra kinds are the
// kWebKind* constants below. check_kinds.cmake compares these lists with dom.js at build time.
#pragma once

#include "ui/control.h"

// A combo box with an edit field: a text field over the list's button.
constexpr int kWebKindEditableComboBox = 8;

// The kind code of c's element.
inline int WebKindCode(const TControl& c) {
  if (c.Kind() == TControlKind::ComboBox && c.Editable()) return kWebKindEditableComboBox;
  return static_cast<int>(c.Kind());
}
