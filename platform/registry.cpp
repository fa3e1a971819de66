// The rules the registry store checks on every platform, and the names of its roots.
#include <array>

#include "platform/os.h"
#include "platform/registry.h"

namespace os {
namespace {

constexpr std::array<std::string_view, 5> kRootNames = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                        "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                                        "HKEY_CURRENT_CONFIG"};

bool HasBreakOrZero(std::string_view s) {
  return s.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos;
}

// A blank at either end would be lost where the store is an ini file.
bool BlankAtEnd(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !s.empty() && (blank(s.front()) || blank(s.back()));
}

}  // namespace

std::optional<RegistryRoot> RegistryRootNamed(std::string_view name) {
  for (size_t i = 0; i < kRootNames.size(); ++i)
    if (kRootNames[i] == name) return static_cast<RegistryRoot>(i);
  return std::nullopt;
}

std::string_view RegistryRootName(RegistryRoot root) {
  return kRootNames[static_cast<size_t>(root)];
}

bool ValidRegistryPath(std::string_view path) {
  if (path.empty() || path.size() > kRegistryPathMax || HasBreakOrZero(path) || BlankAtEnd(path) ||
      path.find_first_of("[]") != std::string_view::npos)
    return false;
  size_t start = 0;
  for (;;) {
    size_t end = path.find('\\', start);
    std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (part.empty() || part == "." || part == ".." || part.size() > kRegistryNameMax) return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

bool ValidRegistryValueName(std::string_view name) {
  return !name.empty() && name.size() <= kRegistryNameMax && !HasBreakOrZero(name) &&
         !BlankAtEnd(name) && name != "@" && name.find('=') == std::string_view::npos &&
         name.front() != '[' && name.front() != ';';
}

}  // namespace os
