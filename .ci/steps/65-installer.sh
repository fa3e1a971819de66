#!/usr/bin/env bash
# The Windows setup programs, made with makensis from the zips' stripped programs. Both are
# opened with 7-Zip and must hold the zip's very herosheet.exe and every file of the installed
# layout; the 64-bit one is then installed, used and uninstalled under wine.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
start=$SECONDS

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 nsis 7zip wine wine64 fonts-wine xvfb xauth xdotool unzip)
source .ci/lib.sh
hs_install_missing "${packages[@]}"
echo "packages ready ($((SECONDS - start)) s)"

jobs=$(($(nproc) < 2 ? $(nproc) : 2))
# The Windows stage's build folders when it ran before; otherwise folders of this stage's own.
for arch in x86_64 i686; do
  dir=build/win-$arch
  bits=$([ "$arch" = x86_64 ] && echo 64 || echo 32)
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$arch.cmake \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DHS_BUILD_BENCH=OFF \
      -DHS_BUILD_TESTS=OFF >/dev/null
  else
    # Configured before nsis was installed: a new configure finds makensis now.
    cmake -S . -B "$dir" >/dev/null
  fi
  cmake --build "$dir" -j"$jobs" --target herosheet_zip herosheet_installer
  setup=$(ls "$dir"/herosheet-*-win$bits-setup.exe)
  zip=$(ls "$dir"/herosheet-*-win$bits.zip)

  # The setup program's contents: the installed layout, and the zip's program byte for byte.
  look=build/win-setup-look/win$bits
  rm -rf "$look"
  mkdir -p "$look/setup" "$look/zip"
  7zz x -y -o"$look/setup" "$setup" >/dev/null
  unzip -q "$zip" -d "$look/zip"
  for f in herosheet.exe choice.ini array.ini LICENSE.txt share/config.ini share/en.lng; do
    [ -f "$look/setup/$f" ] || { echo "$setup lacks $f" >&2; exit 1; }
  done
  cmp "$look/setup/herosheet.exe" "$look/zip/herosheet/herosheet.exe" ||
    { echo "$setup does not hold the zip's herosheet.exe" >&2; exit 1; }
  [ -z "$(find "$look/setup" -maxdepth 1 -name '*.lng' -o -maxdepth 1 -name config.ini)" ] ||
    { echo "$setup puts settings or languages beside the program: the portable layout" >&2; exit 1; }
  7zz l "$setup" | grep -qx 'Type = Nsis' || { echo "$setup is not an NSIS setup program" >&2; exit 1; }
  pe=$([ "$bits" = 64 ] && echo 'PE32+' || echo 'PE32')
  file "$setup" | grep -q ": $pe executable" || { echo "$setup is not a $bits-bit program" >&2; exit 1; }
  echo "built $setup: $(stat -c %s "$setup") bytes ($((SECONDS - start)) s)"
done

source tools/windows/wine-env.sh
hs_wine_env
hs_wine_prefix
tools/windows/installer-test.sh build/win-x86_64/herosheet-*-win64-setup.exe build/win-x86_64/installer-test
echo "=== installer stage passed ($((SECONDS - start)) s)"
