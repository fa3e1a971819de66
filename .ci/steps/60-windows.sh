#!/usr/bin/env bash
# The Windows builds: two zips cross-compiled with MinGW-w64 from the same sources. win64 is the
# one this stage runs: its test suites and the Win32 backend tests as Windows programs under
# wine, and a GUI test of the herosheet.exe unpacked from its zip under Xvfb. win32 is built and
# checked (contents, stripped, imports, icon) but not run: wine's 32-bit loader cannot run here.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
start=$SECONDS

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 libgtest-dev libgmock-dev wine wine64 fonts-wine xvfb xauth
          xdotool xclip imagemagick unzip)
source .ci/lib.sh
hs_install_missing "${packages[@]}"
echo "packages ready ($((SECONDS - start)) s)"

source tools/windows/wine-env.sh
hs_wine_env
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
common=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DHS_BUILD_BENCH=OFF)

# GoogleTest for the 64-bit build.
gtest=build/win-gtest-x86_64
tools/windows/build-gtest.sh cmake/mingw-x86_64.cmake "$gtest" "$PWD/$gtest/install" >/dev/null

win64=build/win-x86_64
cmake -S . -B "$win64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake "${common[@]}" \
  -DHS_BUILD_TESTS=ON -DHS_MINGW_EXTRA_ROOTS="$PWD/$gtest/install" >/dev/null
win32=build/win-i686
cmake -S . -B "$win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake "${common[@]}" \
  -DHS_BUILD_TESTS=OFF >/dev/null

# Both zips: the program stripped, with its icon under the name the main form asks for, and
# importing only system DLLs.
unpacked=build/win-zips
rm -rf "$unpacked"
for arch in x86_64 i686; do
  dir=build/win-$arch
  bits=$([ "$arch" = x86_64 ] && echo 64 || echo 32)
  cmake --build "$dir" -j"$jobs" --target herosheet_zip
  zip=$(ls "$dir"/herosheet-*-win$bits.zip)
  mkdir -p "$unpacked/win$bits"
  unzip -q "$zip" -d "$unpacked/win$bits"
  exe=$unpacked/win$bits/herosheet/herosheet.exe
  for f in herosheet.exe choice.ini array.ini config.ini en.lng ru.lng; do
    [ -f "$unpacked/win$bits/herosheet/$f" ] || { echo "$zip lacks $f" >&2; exit 1; }
  done
  if "$arch-w64-mingw32-objdump" -h "$exe" | grep -qE '\.debug_|\.symtab'; then
    echo "herosheet.exe in $zip is not stripped" >&2
    exit 1
  fi
  strings -el "$exe" | grep -qx ICON0 || { echo "herosheet.exe in $zip has no ICON0" >&2; exit 1; }
  if "$arch-w64-mingw32-objdump" -p "$exe" | grep 'DLL Name' |
    grep -viE 'kernel32|user32|gdi32|comctl32|comdlg32|advapi32|msvcrt|shell32|ole32'; then
    echo "herosheet.exe in $zip needs a DLL that Windows does not have" >&2
    exit 1
  fi
  echo "built $zip: herosheet.exe $(stat -c %s "$exe") bytes ($((SECONDS - start)) s)"
done

# The suites that are Windows programs (the others drive POSIX processes and pipes). The native
# OS layer and the Win32 backend suites must be there; the others are run when they exist.
required=(platform_tests elements_tests backends_win32_tests backends_conformance_win32_tests)
optional=(runtime_tests ui_tests controls_tests scheme_tests examples_tests)
targets=()
available=$(cmake --build "$win64" --target help)
for s in "${required[@]}" "${optional[@]}"; do
  if grep -q "\.\.\. $s\$" <<<"$available"; then
    targets+=("$s")
  elif [[ " ${required[*]} " == *" $s "* ]]; then
    echo "the Windows build has no test program $s" >&2
    exit 1
  fi
done
cmake --build "$win64" -j"$jobs" --target "${targets[@]}"
echo "built the tests ($((SECONDS - start)) s)"

hs_wine_prefix
echo "wine prefix ready ($((SECONDS - start)) s)"

# Every suite under wine, inside one Xvfb (the backend tests make real windows).
cat >"$win64/run-suites.sh" <<'INNER'
set -uo pipefail
source tools/windows/wine-env.sh
hs_wine_env
"$HS_WINESERVER" -p
failed=0
for exe in "$@"; do
  echo "--- ${exe##*/}"
  (cd "$(dirname "$exe")" && timeout 300 "$HS_WINE" "./${exe##*/}" --gtest_brief=1) || failed=1
done
"$HS_WINESERVER" -k 2>/dev/null
"$HS_WINESERVER" -w
exit $failed
INNER
exes=()
for s in "${targets[@]}"; do
  exes+=("$(find "$win64/tests" -name "$s.exe" | head -n 1)")
done
xvfb-run -a -s "-screen 0 800x600x24" bash "$win64/run-suites.sh" "${exes[@]}"
echo "suites passed under wine ($((SECONDS - start)) s)"
tools/windows/ini-differential.sh build/ini-differential 1 1500

# The GUI test on the shipped 64-bit program, as unpacked from its zip.
tools/windows/gui-test.sh "$unpacked/win64/herosheet" "$win64/gui-test"
echo "=== windows stage passed ($((SECONDS - start)) s)"
