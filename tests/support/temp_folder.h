// A fresh folder under the system's temporary folder for one test: files written and read by name,
// removed with everything in it (write permission given back first) when the object goes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/os.h"

class TempFolder {
 public:
  TempFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    std::random_device rd;
    for (;;) {
      root_ = base / ("hs-test-" + std::to_string(rd()) + "-" + std::to_string(counter_++));
      if (fs::create_directory(root_, ec)) break;
      if (ec) std::abort();  // no temporary folder to work in: nothing a test can do
    }
  }
  ~TempFolder() {
    std::error_code ec;
    GiveBackPermissions(root_);
    std::filesystem::remove_all(root_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // The file name inside the folder; for no name, the folder ending with the platform separator.
  std::string Path(std::string_view name = {}) const {
    return root_.string() + static_cast<char>(std::filesystem::path::preferred_separator) +
           std::string(name);
  }
  // Writes the bytes as the whole file (folders on the way must exist); its path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    std::string p = Path(name);
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
  }
  // The whole file, or missing when it cannot be opened.
  std::string Read(std::string_view name, std::string_view missing = {}) const {
    return ReadFile(Path(name), missing);
  }
  static std::string ReadFile(const std::string& path, std::string_view missing = {}) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return std::string(missing);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  void MakeFolder(std::string_view name) const { std::filesystem::create_directories(Path(name)); }
  // Points the program folder here until the next call of os::SetProgramFolder. A
  // language file keeps it a portable folder, where config.ini is read and written beside the
  // program; no test chooses this language.
  void MakeProgramFolder() const {
    Write("keep-portable.lng", "");
    os::SetProgramFolder(Path());
  }

 private:
  // Tests leave read-only files and folders behind; links are not followed.
  static void GiveBackPermissions(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code sec;
      fs::file_status st = it->symlink_status(sec);
      if (sec || fs::is_symlink(st)) continue;
      if (fs::is_directory(st)) {
        GiveBackPermissions(it->path());
      } else {
        std::error_code ignored;
        fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, ignored);
      }
    }
  }

  std::filesystem::path root_;
  static inline int counter_ = 0;
};
