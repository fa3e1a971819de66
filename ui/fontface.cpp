#include "ui/fontface.h"

#include <cctype>

namespace {

bool SameFace(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

std::string SubstituteFontFamily(std::string_view name) {
  // The classic dialog faces have no file here: a narrow sans of similar widths stands in.
  for (std::string_view sans : {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma",
                                "Arial", "Microsoft Sans Serif"})
    if (SameFace(name, sans)) return "Liberation Sans";
  if (SameFace(name, "Times New Roman")) return "Liberation Serif";
  if (SameFace(name, "Courier New")) return "Liberation Mono";
  return std::string(name);
}
