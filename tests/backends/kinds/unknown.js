// Element kinds with one the C++ side does not know.
var HsKind = {
  Form: 1, Label: 2, RadioButton: 3, GroupBox: 4, Panel: 5, ComboBox: 6, ToolTip: 7,
  EditableComboBox: 8, // the combo with a field
  Button: 9,
};
