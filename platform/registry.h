// Registry-shaped settings: keys under a root, each holding named 32-bit and text values.
// Windows: the system registry (advapi32). Elsewhere: one ini file, registry.ini in the settings
// folder, a section per key ("HKEY_CURRENT_USER\Software\Place") and a line per value
// ("Left=dword:0000007b", "language=sz:en"), rewritten whole like config.ini (a temporary file
// and a rename, writers taking turns), so the same keys and values stay per user.
//
// Names are checked the same way everywhere; a refused name reads nothing and writes nothing:
// - key path: not empty, at most kRegistryPathMax bytes, parts between "\" not empty, not "."
//   or "..", at most 255 bytes each; no NUL, CR, LF, '[' or ']'; no blank at either end;
// - value name: not empty, at most 255 bytes, no NUL, CR, LF or '=', not starting with '[' or ';',
//   no blank at either end, not "@" (the ini store's mark of a key);
// - text value: no NUL, CR or LF, at most kRegistryTextMax bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace os {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

constexpr size_t kRegistryPathMax = 512;
constexpr size_t kRegistryNameMax = 255;
constexpr size_t kRegistryTextMax = 2040;

// The root a name stands for ("HKEY_CURRENT_USER" ...; exact, upper case); nothing when the
// name is none of the five.
std::optional<RegistryRoot> RegistryRootNamed(std::string_view name);
// The full name of a root ("HKEY_CURRENT_USER").
std::string_view RegistryRootName(RegistryRoot root);

bool ValidRegistryPath(std::string_view path);
bool ValidRegistryValueName(std::string_view name);

// Creates or opens the key and sets the values as 32-bit numbers, in the order given. False
// when a name is refused or the key or a value could not be written.
bool WriteRegistryInts(RegistryRoot root, std::string_view path,
                       const std::vector<std::pair<std::string, int32_t>>& values);
// Creates or opens the key and sets one text value. False when refused or not written.
bool WriteRegistryString(RegistryRoot root, std::string_view path, std::string_view name,
                         std::string_view value);

// Opens the key for reading and reads the named 32-bit values: out gets one entry per name,
// empty for a value that is missing or not a 32-bit number. False (out all empty) when the key
// cannot be opened: it is missing or its path is refused.
bool ReadRegistryInts(RegistryRoot root, std::string_view path,
                      const std::vector<std::string>& names,
                      std::vector<std::optional<int32_t>>& out);
// The text value name of the key; nothing when the key or value is missing, is not text or a
// name is refused.
std::optional<std::string> ReadRegistryString(RegistryRoot root, std::string_view path,
                                              std::string_view name);

// The file the store uses where there is no system registry (empty on Windows).
std::string RegistryStorePath();

}  // namespace os
