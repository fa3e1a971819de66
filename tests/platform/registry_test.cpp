// The registry store through the OS layer: the system registry on Windows (read back with
// reg.exe too), registry.ini in the settings folder elsewhere. The same cases run on both.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/support/temp_folder.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

using os::RegistryRoot;
using Read = std::vector<std::optional<int32_t>>;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

#ifdef _WIN32
// What a command prints.
std::string Output(const std::string& command) {
  std::string out;
  if (FILE* p = _popen(command.c_str(), "r")) {
    char buf[512];
    while (size_t n = std::fread(buf, 1, sizeof buf, p))
      out.append(buf, n);
    _pclose(p);
  }
  return out;
}
#endif

// A key of its own under HKCU\Software for one test, removed at the end.
struct RegistryScope {
  TempFolder folder;
  std::string base = "Software\\HsRegistryTest-" + std::to_string(getpid());
  RegistryScope() { folder.MakeProgramFolder(); }
  ~RegistryScope() {
#ifdef _WIN32
    Output("reg delete \"HKCU\\" + base + "\" /f");
#endif
    os::SetProgramFolder("");
  }
};

struct IntCase {
  const char* what;
  std::string path;  // under the test's key
  std::vector<std::pair<std::string, int32_t>> write;
  bool written;
  std::vector<std::string> names;
  bool opened;
  Read expect;
};

TEST(Registry, IntegerValuesWriteReadAndRefusals) {
  RegistryScope scope;
  const std::string L(600, 'k'), part(256, 'k');
  const std::vector<IntCase> cases = {
      {"read back in any order",
       "Place",
       {{"Left", 10}, {"Top", -20}, {"Height", 300}, {"Width", 640}},
       true,
       {"Width", "Left", "Top", "Height"},
       true,
       {640, 10, -20, 300}},
      {"the 32-bit ends",
       "Ends",
       {{"Low", INT32_MIN}, {"High", INT32_MAX}},
       true,
       {"Low", "High"},
       true,
       {INT32_MIN, INT32_MAX}},
      {"a missing value stays empty", "Part", {{"Left", 5}}, true, {"Left", "Top"}, true, {5, {}}},
      {"a rewrite keeps the others", "Part", {{"Top", 7}}, true, {"Left", "Top"}, true, {5, 7}},
      {"names match without case", "Place", {}, false, {"LEFT", "width"}, true, {10, 640}},
      {"a key never written does not open", "Never", {}, false, {"Left"}, false, {{}}},
      {"a text value is no number", "Text", {}, false, {"Name"}, true, {{}}},
      {"'..' refused", "Place\\..\\Up", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"'.' refused", ".\\Here", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"an empty part refused", "A\\\\B", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a very long path refused", L, {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a part over 255 bytes refused", part, {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"NUL refused", std::string("Nul\0Key", 7), {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"LF refused", "Line\nBreak", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"CR refused", "Line\rBreak", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a bracket refused", "Sec]tion", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a bad value name writes nothing",
       "Bad",
       {{"Left", 1}, {"Le\nft", 2}},
       false,
       {"Left"},
       false,
       {{}}},
  };
  ASSERT_TRUE(os::WriteRegistryString(kUser, scope.base + "\\Text", "Name", "12"));
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string key = scope.base + "\\" + c.path;
    if (!c.write.empty()) {
      EXPECT_EQ(os::WriteRegistryInts(kUser, key, c.write), c.written);
    }
    Read got;
    EXPECT_EQ(os::ReadRegistryInts(kUser, key, c.names, got), c.opened);
    EXPECT_EQ(got, c.expect);
#ifdef _WIN32
    // What the system registry holds, seen by another program.
    std::string shown = c.written ? Output("reg query \"HKCU\\" + key + "\"") : "";
    for (const auto& [name, v] : c.written ? c.write : decltype(c.write){}) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%x", static_cast<uint32_t>(v));
      EXPECT_NE(shown.find(name + "    REG_DWORD    " + hex), std::string::npos) << shown;
    }
#endif
  }
#ifndef _WIN32
  // One section a key, one line a value.
  std::string store = TempFolder::ReadFile(os::RegistryStorePath());
  EXPECT_NE(store.find("[HKEY_CURRENT_USER\\" + scope.base +
                       "\\Place]\r\n@=key\r\nLeft=dword:0000000a\r\nTop=dword:ffffffec\r\n"
                       "Height=dword:0000012c\r\nWidth=dword:00000280\r\n"),
            std::string::npos)
      << store;
  EXPECT_EQ(store.find("Break"), std::string::npos);
#endif
}

TEST(Registry, TextValuesKeepTheirBytes) {
  RegistryScope scope;
  std::string key = scope.base + "\\Lang";
  ASSERT_TRUE(os::WriteRegistryInts(kUser, key, {{"Number", 3}}));
  const std::string longest(os::kRegistryTextMax, 't');
  const struct {
    std::string name, value;
    bool written;
  } cases[] = {
      {"plain", "en", true},
      {"padded", "  ru\t", true},
      {"quoted", "\"pt.br\"", true},
      {"tagged", "dword:00000001", true},
      {"empty", "", true},
      {"longest", longest, true},
      {"broken", "a\nb", false},
      {"zero", std::string("a\0b", 3), false},
      {"long", longest + "t", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(os::WriteRegistryString(kUser, key, c.name, c.value), c.written);
    EXPECT_EQ(os::ReadRegistryString(kUser, key, c.name),
              c.written ? std::optional<std::string>(c.value) : std::nullopt);
  }
  EXPECT_EQ(os::ReadRegistryString(kUser, key, "Number"), std::nullopt);  // a number is no text
  EXPECT_EQ(os::ReadRegistryString(kUser, key + "\\Missing", "plain"), std::nullopt);
}

}  // namespace
