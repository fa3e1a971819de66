// A temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/os.h"

class TempFolder {
 public:
  TempFolder() {
    auto base = std::filesystem::temp_directory_path();
    for (int i = 0;; ++i) {
      path_ = base / ("hs-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
      std::error_code ec;
      if (std::filesystem::create_directory(path_, ec)) break;
    }
  }
  ~TempFolder() {
    std::error_code ec;
    // Give write permission back so that read-only test files can be removed.
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending with the platform's separator.
  std::string Dir() const { return path_.string() + os::PathSeparator(); }
  std::string Path(std::string_view name) const { return Dir() + std::string(name); }

  std::string Write(std::string_view name, std::string_view bytes) const {
    std::string p = Path(name);
    std::ofstream f(p, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
  }
  std::string Read(std::string_view name) const { return ReadFile(Path(name)); }
  static std::string ReadFile(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  void MakeFolder(std::string_view name) const { std::filesystem::create_directories(Path(name)); }

 private:
  std::filesystem::path path_;
  static inline int counter_ = 0;
};
