// The OS layer the elements and windows stand on: folders, ini files, file listing, message box.
// One interface, two implementations: os_win32.cpp (the native calls) and os_posix.cpp (our
// own, keeping the Windows behaviour). All texts are byte strings; nothing here throws.
//
// Path texts: on Windows "\" separates folders; on POSIX both "/" and "\" count as separators
// wherever one of them is tested (IsPathSeparator), while the folders returned here end with "/".
//
// POSIX meanings of the special folders used by the ini path rule:
//   %tmpdir%  -> TempFolder(): $TMPDIR if set and non-empty, else "/tmp/".
//   %windir%  -> WindowsFolder(): "/etc/" (the system-wide configuration folder).
//   %sysdir%  -> SystemFolder(): "/usr/lib/" (the system's shared libraries).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace os {

// The folder separator this platform writes ('\\' on Windows, '/' on POSIX).
char PathSeparator();
// True for a character that separates folders here ('\\' always; '/' too on POSIX).
bool IsPathSeparator(char c);

// Folder of the running program file, ending with a separator (Windows: at most 260 chars).
std::string ProgramFolder();
// Replaces the answer of ProgramFolder() (herosheet-sim --program-dir, tests); an empty text
// restores the real one.
void SetProgramFolder(std::string_view folder);
// Folder for temporary files, ending with a separator.
std::string TempFolder();
// Windows folder, ending with a separator (POSIX: see above).
std::string WindowsFolder();
// System folder, ending with a separator (POSIX: see above).
std::string SystemFolder();
// The per-user folder that programs keep their settings in, ending with a separator; empty when
// there is none. Windows: the roaming application data folder (%APPDATA%); POSIX:
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::string UserConfigFolder();
// Replaces the answer of UserConfigFolder() (tests); an empty text restores the real one.
void SetUserConfigFolder(std::string_view folder);

// Maximum length of a text read from an ini file (the 2048-byte buffer less the zero byte).
constexpr size_t kProfileStringMax = 2047;

// Sizes no real file of its kind reaches. A bigger file is treated as unreadable, so that what
// happens for a missing file happens, and memory stays bounded.
constexpr uint64_t kDataFileMax = 256ull << 20;     // choice.ini, array.ini
constexpr uint64_t kSettingsFileMax = 16ull << 20;  // config.ini and the other ini files
constexpr uint64_t kLanguageFileMax = 16ull << 20;  // *.lng

// How long a settings write waits for the other writers of its folder before it writes anyway
// (the rename keeps the file whole; only a concurrent change of another key may be lost then).
constexpr int kProfileLockWaitMs = 2000;

// Ini files (the private-profile calls). The rules, the same on every platform:
// - A line "[name]" opens a section (blanks around the name ignored; text after the last ']'
//   too); the lines before the first header form the section "". Only the first section of a
//   name is read or written; a later one of the same name is left alone.
// - "key=value" holds a key; keys and values are trimmed of blanks and a value in matching
//   quotes is read without them. A line without '=' names a key without a value: a read gives
//   the default, a write puts the value on that line. The first line of a key decides.
// - Section and key names match without case for ASCII letters; bytes above 127 match exactly.
// - Reads answer at most kProfileStringMax bytes.
// - Deliberately unlike the Windows calls: a write of a name or value holding a line break, a
//   section holding ']' or a key that is empty, holds '=' or starts with '[' or ';' is refused
//   (on Windows too); on POSIX a write keeps every other byte of the file as it was (line ends,
//   blanks, blank lines, comments), where the Windows call rewrites the whole file tidied: lines
//   trimmed, blank lines dropped, "[name]" and "key=value" without blanks, CR LF.
// - On POSIX, "\" in an ini path separates folders as '/' does.

// The value of key in section of the ini file at path, or deflt when the file, section or key
// is missing (GetPrivateProfileStringA); deflt loses its trailing spaces (not tabs, and never its
// first byte) and then one pair of matching quotes. A file bigger than kSettingsFileMax reads
// as a missing one, here and in ReadProfileInt.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view deflt, const std::string& path);
// The value of key read as an integer, or deflt when the key is missing or empty
// (GetPrivateProfileIntA): an optional sign, then "0x", "0o" or "0b" for base 16, 8 or 2, else
// decimal; the digits of that base up to the first other byte, wrapping at 32 bits.
int32_t ReadProfileInt(std::string_view section, std::string_view key, int32_t deflt,
                       const std::string& path);
// Sets key in section to value (leading blanks of the value dropped; a new section or key is
// written as given, less leading blanks), creating the file and the section when missing. False
// when the write was refused (read-only file or folder, missing folder, a name or value holding a
// line break, a section holding ']', a key empty, holding '=' or starting with '[' or ';'); the
// old file is then intact (WritePrivateProfileStringA).
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);
// Sets several keys of one section in one rewrite of the file: the result has exactly the bytes
// that WriteProfileString for each pair, in order, would give, but no other writer can come in
// between. A refused pair is skipped as its own call would be; false when any pair was refused
// or the file could not be written. ini files bigger than kSettingsFileMax are not written.
bool WriteProfileStrings(std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& values,
                         const std::string& path);

// True when path exists and is not a folder.
bool FileExists(const std::string& path);
// True when path exists and is a folder.
bool IsFolder(const std::string& path);
// Reads the whole file into out; false (out empty) when it cannot be opened or read, or holds
// more than limit bytes (the read stops there, so a file still growing cannot exhaust memory).
bool ReadWholeFile(const std::string& path, std::string& out, uint64_t limit = kDataFileMax);
// True when path is a file (not a folder) of at most limit bytes.
bool FileWithin(const std::string& path, uint64_t limit);

// One entry of a folder listing.
struct DirEntry {
  std::string Name;  // bare name, no folder part
  bool IsFolder = false;
  bool IsLink = false;  // a symbolic link or other reparse point (do not descend into it)
};
// All entries of folder (including "." and ".." where the platform returns them), in the order
// the file system returns them. folder may or may not end with a separator. False when the
// listing cannot be started (missing folder, no permission, not a folder).
bool ListFolder(const std::string& folder, std::vector<DirEntry>& out);

// Shows a modal message box with an OK button (POSIX: writes "caption: text" to stderr).
void ShowMessageBox(std::string_view text, std::string_view caption);

}  // namespace os
