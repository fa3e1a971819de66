#!/usr/bin/env bash
# Cross-compiles the runtime, the OS layer and the elements for Windows with MinGW-w64 (32-bit,
# the shipped build, and 64-bit), so that the native OS layer keeps compiling on every change.
set -euo pipefail

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v make >/dev/null || need+=(make)
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64)
if ((${#need[@]})); then
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
for arch in i686 x86_64; do
  dir=build/ci-mingw-$arch
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DHS_BUILD_TESTS=OFF -DHS_BUILD_BENCH=OFF -DHS_WITH_QT=OFF
  cmake --build "$dir" -j"$jobs" --target hs_runtime hs_platform hs_elements
done
