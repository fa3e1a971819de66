#!/usr/bin/env bash
# The Windows build: herosheet.exe and its zip cross-compiled with MinGW-w64 (32-bit, as
# shipped), the test suites and the Win32 backend tests run as Windows programs under wine, and
# a GUI test of herosheet.exe under Xvfb. Where this machine's kernel cannot run wine's 32-bit
# loader, the tests run on a 64-bit build of the same sources under 64-bit wine.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
start=$SECONDS

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 libgtest-dev libgmock-dev
          wine wine64 wine32:i386 fonts-wine xvfb xauth xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  dpkg --print-foreign-architectures | grep -qx i386 || "${sudo_cmd[@]}" dpkg --add-architecture i386
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "packages ready ($((SECONDS - start)) s)"

source tools/windows/wine-env.sh
hs_wine_env
arch=$([ "$HS_WINE_BITS" = 32 ] && echo i686 || echo x86_64)
echo "wine runs ${HS_WINE_BITS}-bit programs here: tests use the $arch build"
jobs=$(($(nproc) < 2 ? $(nproc) : 2))

# GoogleTest for the build that wine runs here.
gtest=build/win-gtest-$arch
tools/windows/build-gtest.sh "cmake/mingw-$arch.cmake" "$gtest" "$PWD/$gtest/install" >/dev/null
with_tests=(-DHS_BUILD_TESTS=ON -DHS_MINGW_EXTRA_ROOTS="$PWD/$gtest/install")

# The shipped program: 32-bit. Where wine runs it, the same build holds the tests.
ship=build/win-i686
ship_tests=(-DHS_BUILD_TESTS=OFF)
[ "$arch" = i686 ] && ship_tests=("${with_tests[@]}")
cmake -S . -B "$ship" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DHS_BUILD_BENCH=OFF "${ship_tests[@]}" >/dev/null
cmake --build "$ship" -j"$jobs" --target herosheet_zip
zip=$(ls "$ship"/herosheet-*-win32.zip)
cmake -E tar tf "$zip" | grep -qx 'herosheet/herosheet.exe' || { echo "zip lacks the program" >&2; exit 1; }
# Only system DLLs may be imported.
if i686-w64-mingw32-objdump -p "$ship/app/herosheet.exe" | grep 'DLL Name' |
  grep -viE 'kernel32|user32|gdi32|comctl32|comdlg32|advapi32|msvcrt|shell32|ole32'; then
  echo "herosheet.exe needs a DLL that Windows does not have" >&2
  exit 1
fi
echo "built $zip ($((SECONDS - start)) s)"

test=$ship
if [ "$arch" != i686 ]; then
  test=build/win-$arch
  cmake -S . -B "$test" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DHS_BUILD_BENCH=OFF "${with_tests[@]}" >/dev/null
fi
# The suites that are Windows programs (the others drive POSIX processes and pipes). The native
# OS layer and the Win32 backend suites must be there; the others are run when they exist.
required=(test_platform test_elements test_backend_win32 backends_conformance_win32_tests)
optional=(runtime_tests ui_tests controls_tests scheme_tests)
targets=(herosheet)
available=$(cmake --build "$test" --target help)
for s in "${required[@]}" "${optional[@]}"; do
  if grep -q "\.\.\. $s\$" <<<"$available"; then
    targets+=("$s")
  elif [[ " ${required[*]} " == *" $s "* ]]; then
    echo "the Windows build has no test program $s" >&2
    exit 1
  fi
done
cmake --build "$test" -j"$jobs" --target "${targets[@]}"
echo "built the tests ($((SECONDS - start)) s)"

hs_wine_prefix
echo "wine prefix ready ($((SECONDS - start)) s)"

# Every suite under wine, inside one Xvfb (the backend tests make real windows).
cat >"$test/run-suites.sh" <<'INNER'
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
  [ "$s" = herosheet ] && continue
  exes+=("$(find "$test/tests" -name "$s.exe" | head -n 1)")
done
xvfb-run -a -s "-screen 0 800x600x24" bash "$test/run-suites.sh" "${exes[@]}"
echo "suites passed under wine ($((SECONDS - start)) s)"

tools/windows/gui-test.sh "$test/app" "$test/gui-test"
echo "=== windows stage passed ($((SECONDS - start)) s)"
