// The registry store on Windows: the system registry through advapi32 (ANSI forms).
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "platform/registry.h"

namespace os {
namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
      return HKEY_USERS;
    case RegistryRoot::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
  }
  return HKEY_CURRENT_USER;
}

// An open key, closed when the object goes.
class TKey {
 public:
  TKey() = default;
  ~TKey() {
    if (h_) RegCloseKey(h_);
  }
  TKey(const TKey&) = delete;
  TKey& operator=(const TKey&) = delete;
  bool Create(RegistryRoot root, std::string_view path) {
    return RegCreateKeyExA(RootKey(root), std::string(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                           nullptr, &h_, nullptr) == ERROR_SUCCESS;
  }
  bool Open(RegistryRoot root, std::string_view path) {
    return RegOpenKeyExA(RootKey(root), std::string(path).c_str(), 0, KEY_READ, &h_) ==
           ERROR_SUCCESS;
  }
  HKEY Handle() const { return h_; }

 private:
  HKEY h_ = nullptr;
};

}  // namespace

std::string RegistryStorePath() {
  return std::string();
}

bool WriteRegistryInts(RegistryRoot root, std::string_view path,
                       const std::vector<std::pair<std::string, int32_t>>& values) {
  if (!ValidRegistryPath(path)) return false;
  for (const auto& v : values)
    if (!ValidRegistryValueName(v.first)) return false;
  TKey key;
  if (!key.Create(root, path)) return false;
  bool ok = true;
  for (const auto& [name, v] : values) {
    DWORD d = static_cast<DWORD>(static_cast<uint32_t>(v));
    if (RegSetValueExA(key.Handle(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&d),
                       sizeof d) != ERROR_SUCCESS)
      ok = false;
  }
  return ok;
}

bool WriteRegistryString(RegistryRoot root, std::string_view path, std::string_view name,
                         std::string_view value) {
  if (!ValidRegistryPath(path) || !ValidRegistryValueName(name) ||
      value.size() > kRegistryTextMax ||
      value.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
    return false;
  TKey key;
  if (!key.Create(root, path)) return false;
  std::string v(value);
  return RegSetValueExA(key.Handle(), std::string(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(v.c_str()),
                        static_cast<DWORD>(v.size() + 1)) == ERROR_SUCCESS;
}

bool ReadRegistryInts(RegistryRoot root, std::string_view path,
                      const std::vector<std::string>& names,
                      std::vector<std::optional<int32_t>>& out) {
  out.assign(names.size(), std::nullopt);
  if (!ValidRegistryPath(path)) return false;
  TKey key;
  if (!key.Open(root, path)) return false;
  for (size_t i = 0; i < names.size(); ++i) {
    if (!ValidRegistryValueName(names[i])) continue;
    DWORD type = 0, d = 0, size = sizeof d;
    if (RegQueryValueExA(key.Handle(), names[i].c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&d), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof d)
      out[i] = static_cast<int32_t>(d);
  }
  return true;
}

std::optional<std::string> ReadRegistryString(RegistryRoot root, std::string_view path,
                                              std::string_view name) {
  if (!ValidRegistryPath(path) || !ValidRegistryValueName(name)) return std::nullopt;
  TKey key;
  if (!key.Open(root, path)) return std::nullopt;
  char buf[kRegistryTextMax + 2] = {};
  DWORD type = 0, size = sizeof buf - 1;
  if (RegQueryValueExA(key.Handle(), std::string(name).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::string text(buf, size);
  size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  if (text.size() > kRegistryTextMax) text.resize(kRegistryTextMax);
  return text;
}

}  // namespace os
