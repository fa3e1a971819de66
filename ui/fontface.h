// Font faces: the family a Windows face name stands for where that face has no file (the classic
// dialog faces map to metric-compatible free families). Shared by the drawing backends.
#pragma once

#include <string>
#include <string_view>

// The family that draws windowsName here ("MS Sans Serif" -> "Liberation Sans"); other names
// are returned unchanged.
std::string SubstituteFontFamily(std::string_view windowsName);
