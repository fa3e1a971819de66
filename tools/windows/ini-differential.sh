#!/usr/bin/env bash
# The ini differential test: the same seeded cases run through the POSIX ini access and through
# the real Windows profile calls (under wine); every read and every resulting file must agree.
#   tools/windows/ini-differential.sh [work folder] [first seed] [case count]
# Builds ini_driver twice from one source (natively and with MinGW), then runs ini_diff. A
# mismatch prints the smallest case found that shows it and fails the script.
set -euo pipefail
work=${1:-build/ini-differential}
first=${2:-1}
count=${3:-1500}
start=$SECONDS

if ! command -v g++ >/dev/null; then
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends g++ >/dev/null
fi

source tools/windows/wine-env.sh
hs_wine_env
hs_wine_prefix
triple=$([ "$HS_WINE_BITS" = 32 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
mingw=$(command -v "$triple-g++-posix" || command -v "$triple-g++")

rm -rf "$work"
mkdir -p "$work/posix" "$work/windows"
work=$(cd "$work" && pwd)
flags=(-std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -I.)
launch=()
command -v ccache >/dev/null && launch=(ccache)
d=tests/platform/inidiff
shared=("$d/ini_case.cpp" "$d/ini_run.cpp" platform/profile_text.cpp)
"${launch[@]}" g++ "${flags[@]}" "$d/ini_driver.cpp" "${shared[@]}" platform/os_posix.cpp -o "$work/ini_driver"
"${launch[@]}" "$mingw" "${flags[@]}" -Wno-restrict -static "$d/ini_driver.cpp" "${shared[@]}" \
  platform/os_win32.cpp -o "$work/ini_driver.exe" -ladvapi32 -lshell32 -lole32
"${launch[@]}" g++ "${flags[@]}" "$d/ini_diff.cpp" "$d/ini_case.cpp" "$d/ini_gen.cpp" "$d/ini_compare.cpp" \
  -o "$work/ini_diff"
echo "ini drivers built ($((SECONDS - start)) s, Windows side: $triple under ${HS_WINE_BITS}-bit wine)"

"$HS_WINESERVER" -p >/dev/null 2>&1 </dev/null  # one server for every run: quick starts
status=0
timeout 1200 "$work/ini_diff" "$first" "$count" "$work" \
  "cd '$work/posix' && '$work/ini_driver'" \
  "cd '$work/windows' && '$HS_WINE' '$work/ini_driver.exe'" || status=$?
"$HS_WINESERVER" -k 2>/dev/null || true
"$HS_WINESERVER" -w
echo "ini differential test done ($((SECONDS - start)) s)"
exit $status
