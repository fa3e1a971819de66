// Element kinds without the tool tip.
var HsKind = {
  Form: 1, Label: 2, RadioButton: 3, GroupBox: 4, Panel: 5, ComboBox: 6, EditableComboBox: 8,
};
