#include "app/page_input.h"

#include <array>
#include <utility>

#include "elements/translator.h"
#include "platform/profile_text.h"

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kMessages{{
    {DataMissingKey, "The data folder of the address could not be read; the sample is shown."},
    {DataTooBigKey, "A data file is over 256 MB and is not opened."},
    {DataOtherSiteKey, "Data from another site is not opened; the sample is shown."},
    {DataBadAddressKey, "The data address is not a folder of this site; the sample is shown."},
    {FilesPairKey, "Choose or drop choice.ini and array.ini together."},
    {FilesFolderKey, "A folder cannot be opened: drop its choice.ini and array.ini."},
    {FilesNotDataKey, "These files are not the sheet's data and are not opened."},
    {AnswersRefusedKey,
     "The address names answers this sheet does not have; it starts unanswered."},
}};

// Blanks, control characters and the backslash.
constexpr std::string_view kUnclean{
    "\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11\x12\x13\x14\x15\x16"
    "\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f\x20\x7f\\",
    35};

// The scheme before ':' when text starts with one ("" otherwise).
std::string_view SchemeOf(std::string_view text) {
  size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return {};
  for (size_t i = 1; i < colon; ++i) {
    char c = text[i];
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return {};
  }
  return text.substr(0, colon);
}

// "http://host:port" of an http(s) address; empty when it is not one.
std::string_view OriginOf(std::string_view address) {
  std::string_view scheme = SchemeOf(address);
  if (!os::profile::EqualNoCase(scheme, "http") && !os::profile::EqualNoCase(scheme, "https"))
    return {};
  size_t start = scheme.size() + 3;
  if (address.substr(scheme.size(), 3) != "://") return {};
  size_t end = address.find_first_of("/?#\\", start);
  if (end == std::string_view::npos) end = address.size();
  if (end == start) return {};
  return address.substr(0, end);
}

TDataAddress Refused(std::string_view key) {
  return {std::string(), key};
}

}  // namespace

TDataAddress CheckDataAddress(std::string_view page, std::string_view param) {
  if (param.empty()) return {};
  std::string_view origin = OriginOf(page);
  // A browser's own address never holds blanks, controls or backslashes.
  if (origin.empty() || page.find_first_of(kUnclean) != std::string_view::npos)
    return Refused(DataBadAddressKey);
  // Browsers drop blanks and read a backslash as a slash: such text means something else there.
  if (param.find_first_of(kUnclean) != std::string_view::npos ||
      param.find_first_of("?#") != std::string_view::npos)
    return Refused(DataBadAddressKey);
  std::string path;
  if (param.starts_with("//")) return Refused(DataOtherSiteKey);
  std::string_view scheme = SchemeOf(param);
  if (!scheme.empty()) {
    if (!os::profile::EqualNoCase(scheme, "http") && !os::profile::EqualNoCase(scheme, "https"))
      return Refused(DataBadAddressKey);
    std::string_view other = OriginOf(param);
    if (other.empty()) return Refused(DataBadAddressKey);
    if (!os::profile::EqualNoCase(other, origin)) return Refused(DataOtherSiteKey);
    path = std::string(param.substr(other.size()));
    if (path.empty()) path = "/";
  } else if (param.starts_with("/")) {
    path = std::string(param);
  } else {
    std::string_view rest = page.substr(origin.size());
    rest = rest.substr(0, rest.find_first_of("?#"));
    size_t slash = rest.rfind('/');
    path = std::string(slash == std::string_view::npos ? "/" : rest.substr(0, slash + 1));
    path += param;
  }
  if (!path.ends_with('/')) path += '/';
  return {std::string(origin) + path, {}};
}

bool IsDataPair(std::string_view choice, std::string_view array) {
  choice = choice.substr(0, choice.find('\0'));
  array = array.substr(0, array.find('\0'));
  // Lines end at CR or CR LF, as the loader splits them: a block opens at a line beginning with
  // "-- choice" and closes at a later line holding "-- end".
  bool open = false;
  for (size_t at = 0; at <= choice.size();) {
    size_t cr = choice.find('\r', at);
    std::string_view line = choice.substr(at, cr == std::string_view::npos ? cr : cr - at);
    if (!open)
      open = line.starts_with("-- choice");
    else if (line.find("-- end") != std::string_view::npos)
      return array.find('=') != std::string_view::npos;
    if (cr == std::string_view::npos) break;
    at = cr + 1;
    if (at < choice.size() && choice[at] == '\n') ++at;
  }
  return false;
}

std::string PageMessage(std::string_view key) {
  for (const auto& [k, english] : kMessages) {
    if (k != key) continue;
    std::string text = Translate(key);
    return text.empty() || text == key ? std::string(english) : text;
  }
  return {};
}
