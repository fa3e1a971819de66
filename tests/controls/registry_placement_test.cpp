// The main form's placement kept in the registry store (a Place naming no ini file).
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "controls/mainform.h"
#include "platform/registry.h"
#include "tests/support/ui_fixture.h"

using RegistryPlacementTest = UiTest;

TEST_F(RegistryPlacementTest, FirstShowLoadsAndCloseSavesTheFourValues) {
  TempFolder dir;
  dir.MakeProgramFolder();
  // A key of its own per case, all under one removed at the end.
  const std::string base = "HsRegistryPlacement-" + dir.Root().filename().string();
  using Stored = std::vector<std::pair<std::string, int32_t>>;
  const struct {
    const char* what;
    std::optional<Stored> stored;  // nothing: the key does not exist
    int left, top, width, height;  // after the first show
  } cases[] = {
      {"a failed open skips loading", std::nullopt, 0, 0, 555, 445},
      {"an empty key keeps every value", Stored{}, 0, 0, 555, 445},
      {"a missing value keeps the current one", Stored{{"Left", 40}, {"Width", 600}}, 40, 0, 600,
       445},
      {"all four", Stored{{"Left", 7}, {"Top", 8}, {"Height", 300}, {"Width", 400}}, 7, 8, 400,
       300},
      {"clamped", Stored{{"Left", INT32_MIN}, {"Height", INT32_MAX}, {"Width", 0}}, -32000, 0, 136,
       8192},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string place = base + "\\" + c.what;
    const std::string key = "Software\\" + place;
    if (c.stored) {
      ASSERT_TRUE(os::WriteRegistryInts(os::RegistryRoot::CurrentUser, key, *c.stored));
    }
    ResetApplication();
    InitProcs.clear();
    InstallDispatchers();
    THIMainForm form;
    form.Width = 555;
    form.Height = 445;
    form.Place = place;
    form.Init();
    Start(&form);
    EXPECT_EQ(form.Control->Left(), c.left);
    EXPECT_EQ(form.Control->Top(), c.top);
    EXPECT_EQ(form.Control->Width(), c.width);
    EXPECT_EQ(form.Control->Height(), c.height);

    form.Control->NotifyMoved(c.left + 1, c.top + 2);
    EXPECT_TRUE(TSimulator().CloseForm(*form.Control));
    std::vector<std::optional<int32_t>> saved;
    ASSERT_TRUE(os::ReadRegistryInts(os::RegistryRoot::CurrentUser, key,
                                     {"Left", "Top", "Height", "Width"}, saved));
    EXPECT_EQ(saved,
              (std::vector<std::optional<int32_t>>{c.left + 1, c.top + 2, c.height, c.width}));
  }
  EXPECT_FALSE(os::FileExists(dir.Path("config.ini")));  // the ini file is left alone
#ifdef _WIN32
  std::system(("reg delete \"HKCU\\Software\\" + base + "\" /f >NUL 2>&1").c_str());
#endif
}
