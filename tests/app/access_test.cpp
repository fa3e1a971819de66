// The sheet for assistive technology: every part's role, name and state, and how a click
// changes them.
#include "sheet_fixture.h"

namespace {

class AccessTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    CopySampleData();
    Start();
  }
};

TEST_F(AccessTest, EveryPartHasItsRoleNameAndState) {
  struct Row {
    const char* step;
    const char* control;
    TAccessRole role;
    const char* name;
    bool checked;
  };
  using R = TAccessRole;
  const Row rows[] = {
      {"", "form", R::Window, "Quorvant", false},
      {"", "q3", R::Group, "ch3_caption", false},
      {"", "q3.0", R::RadioButton, "ch_unknown", true},
      {"", "q3.2", R::RadioButton, "ch3_apprentice", false},
      {"", "attrib", R::Group, "ca_caption", false},
      {"", "attrib.name.2", R::Item, "ca_intelligence 4", false},
      {"", "attrib.value.3", R::Hidden, "4", false},
      {"", "profic.warning", R::Alert, "(!!!)", false},
      {"", "clear", R::Button, "btn_clear", false},
      {"", "settings", R::Button, "btn_settings", false},
      {"", "panel", R::Dialog, "btn_settings", false},
      {"", "panel.language", R::ComboBox, "btn_localization", false},
      {"", "panel.exit", R::Button, "btn_exit", false},
      {"click q3.2", "q3.0", R::RadioButton, "ch_unknown", false},
      {"click q3.2", "q3.2", R::RadioButton, "ch3_apprentice", true},
      {"click q3.2", "attrib.name.2", R::Item, "ca_intelligence 5", false},
  };
  std::string step;
  for (const Row& r : rows) {
    if (r.step != step) Do(step = r.step);
    SCOPED_TRACE(step + " " + r.control);
    TAccessInfo a = Sheet->Find(r.control)->Access();
    EXPECT_EQ(a.Role, r.role);
    EXPECT_EQ(a.Name, r.name);
    EXPECT_EQ(a.Checked, r.checked);
  }
  // The warning's description is its tool tip; the click's rows are what changed.
  EXPECT_FALSE(Sheet->Find("profic.warning")->Access().Description.empty());
}

}  // namespace
