// A page script without a kind table.
var HsDom = {create(id, kind) {}};
