// The registry store through the OS layer: the system registry on Windows (read back with
// reg.exe too), registry.ini in the settings folder elsewhere. The same cases run on both.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/os.h"
#include "platform/registry.h"
#include "tests/support/temp_folder.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

using os::RegistryRoot;
using Ints = std::vector<std::pair<std::string, int32_t>>;
using Read = std::vector<std::optional<int32_t>>;

// A key of its own under HKCU\Software for one test run, removed at the end.
class RegistryScope {
 public:
  RegistryScope() : base_("Software\\HsRegistryTest-" + std::to_string(getpid())) {
    folder_.MakeProgramFolder();
  }
  ~RegistryScope() {
#ifdef _WIN32
    Run("reg delete \"HKCU\\" + base_ + "\" /f");
#endif
    os::SetProgramFolder("");
  }
  std::string Key(const std::string& rest) const {
    return rest.empty() ? base_ : base_ + "\\" + rest;
  }
  const TempFolder& Folder() const {
    return folder_;
  }

  // What a command prints (reg.exe under wine).
  static std::string Run(const std::string& command) {
    std::string out;
#ifdef _WIN32
    FILE* p = _popen((command + " 2>NUL").c_str(), "r");
#else
    FILE* p = popen(command.c_str(), "r");
#endif
    if (!p) return out;
    char buf[512];
    while (size_t n = std::fread(buf, 1, sizeof buf, p))
      out.append(buf, n);
#ifdef _WIN32
    _pclose(p);
#else
    pclose(p);
#endif
    return out;
  }

 private:
  TempFolder folder_;
  std::string base_;
};

struct IntCase {
  const char* what;
  std::string path;  // under the test's own key; "" is the key itself
  Ints write;        // nothing written when empty
  bool written;
  std::vector<std::string> names;
  bool opened;
  Read expect;
};

std::string Long(size_t n) {
  return std::string(n, 'k');
}

TEST(Registry, IntegerValuesWriteReadAndRefusals) {
  RegistryScope scope;
  const std::vector<IntCase> cases = {
      {"four values read back in any order",
       "Place",
       {{"Left", 10}, {"Top", -20}, {"Height", 300}, {"Width", 640}},
       true,
       {"Width", "Left", "Top", "Height"},
       true,
       {640, 10, -20, 300}},
      {"the 32-bit ends",
       "Ends",
       {{"Low", INT32_MIN}, {"High", INT32_MAX}, {"Zero", 0}},
       true,
       {"Low", "High", "Zero"},
       true,
       {INT32_MIN, INT32_MAX, 0}},
      {"a missing value stays empty",
       "Partial",
       {{"Left", 5}},
       true,
       {"Left", "Top"},
       true,
       {5, {}}},
      {"a rewrite keeps the other values",
       "Partial",
       {{"Top", 7}},
       true,
       {"Left", "Top"},
       true,
       {5, 7}},
      {"names match without case", "Place", {}, false, {"LEFT", "width"}, true, {10, 640}},
      {"a key never written does not open", "Never", {}, false, {"Left"}, false, {{}}},
      {"a text value is no number", "Text", {}, false, {"Name"}, true, {{}}},
      {"'..' refused", "Place\\..\\Up", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"'.' refused", ".\\Here", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"an empty part refused", "A\\\\B", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a closing separator refused", "A\\", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a very long path refused", Long(600), {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a part over 255 bytes refused", Long(256), {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"NUL refused", std::string("Nul\0Key", 7), {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"LF refused", "Line\nBreak", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"CR refused", "Line\rBreak", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a bracket refused", "Sec]tion", {{"Left", 1}}, false, {"Left"}, false, {{}}},
      {"a bad value name writes nothing",
       "BadName",
       {{"Left", 1}, {"Le\nft", 2}},
       false,
       {"Left"},
       false,
       {{}}},
      {"'=' in a value name refused", "BadName", {{"a=b", 2}}, false, {"Left"}, false, {{}}},
  };
  ASSERT_TRUE(os::WriteRegistryString(RegistryRoot::CurrentUser, scope.Key("Text"), "Name", "12"));
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string key = scope.Key(c.path);
    if (!c.write.empty()) {
      EXPECT_EQ(os::WriteRegistryInts(RegistryRoot::CurrentUser, key, c.write), c.written);
    }
    Read got;
    EXPECT_EQ(os::ReadRegistryInts(RegistryRoot::CurrentUser, key, c.names, got), c.opened);
    EXPECT_EQ(got, c.expect);
#ifdef _WIN32
    // What the system registry holds, seen by another program.
    if (c.written) {
      std::string shown = RegistryScope::Run("reg query \"HKCU\\" + key + "\"");
      for (const auto& [name, v] : c.write) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%x", static_cast<uint32_t>(v));
        EXPECT_NE(shown.find(name + "    REG_DWORD    " + hex), std::string::npos) << shown;
      }
    }
#endif
  }
#ifndef _WIN32
  // One section a key, one line a value, readable as registry-shaped text.
  std::string store = TempFolder::ReadFile(os::RegistryStorePath());
  EXPECT_NE(store.find("[HKEY_CURRENT_USER\\" + scope.Key("Place") +
                       "]\r\n@=key\r\nLeft=dword:0000000a\r\nTop=dword:ffffffec\r\n"
                       "Height=dword:0000012c\r\nWidth=dword:00000280\r\n"),
            std::string::npos)
      << store;
  EXPECT_EQ(store.find("Up"), std::string::npos);
  EXPECT_EQ(store.find("Break"), std::string::npos);
#endif
}

struct TextCase {
  const char* what;
  std::string name, value;
  bool written;
  std::optional<std::string> expect;
};

TEST(Registry, TextValuesKeepTheirBytes) {
  RegistryScope scope;
  std::string key = scope.Key("Lang");
  ASSERT_TRUE(os::WriteRegistryInts(RegistryRoot::CurrentUser, key, {{"Number", 3}}));
  const std::vector<TextCase> cases = {
      {"plain", "language", "en", true, "en"},
      {"blanks at both ends", "padded", "  ru\t", true, "  ru\t"},
      {"quotes", "quoted", "\"pt.br\"", true, "\"pt.br\""},
      {"looks like a number", "tagged", "dword:00000001", true, "dword:00000001"},
      {"empty", "empty", "", true, ""},
      {"a line break refused", "broken", "a\nb", false, std::nullopt},
      {"NUL refused", "zero", std::string("a\0b", 3), false, std::nullopt},
      {"too long refused", "long", Long(os::kRegistryTextMax + 1), false, std::nullopt},
      {"the longest", "longest", Long(os::kRegistryTextMax), true, Long(os::kRegistryTextMax)},
      {"a number is no text", "Number", "", false, std::nullopt},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.what != std::string("a number is no text")) {
      EXPECT_EQ(os::WriteRegistryString(RegistryRoot::CurrentUser, key, c.name, c.value),
                c.written);
    }
    EXPECT_EQ(os::ReadRegistryString(RegistryRoot::CurrentUser, key, c.name), c.expect);
  }
  EXPECT_EQ(os::ReadRegistryString(RegistryRoot::CurrentUser, scope.Key("Missing"), "language"),
            std::nullopt);
}

}  // namespace
