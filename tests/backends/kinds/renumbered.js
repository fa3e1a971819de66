// Element kinds counted from 0.
var HsKind = {
  Form: 0, Label: 1, RadioButton: 2, GroupBox: 3, Panel: 4, ComboBox: 5, ToolTip: 6,
  EditableComboBox: 7,
};
