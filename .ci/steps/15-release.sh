#!/usr/bin/env bash
# A packager's build: the product and the tests in Release, with no preset, once with GCC and
# once with Clang, every warning an error. Then clang-format over every tracked C++ file.
# The GCC build (build/ci-release-gcc, prefix /usr) is the one the package stage installs.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
start=$SECONDS

packages=(cmake make g++ clang libgtest-dev libgmock-dev qt6-base-dev clang-format git)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

jobs=$(($(nproc) < 2 ? $(nproc) : 2))
for compiler in gcc clang; do
  dir=build/ci-release-$compiler
  cxx=$([ "$compiler" = gcc ] && echo g++ || echo clang++)
  CXX=$cxx cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DHS_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "Release build with $compiler passed ($((SECONDS - start)) s)"
done

# Formatting: the project's .clang-format, over the tracked sources.
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "=== release stage passed: ${#sources[@]} files formatted ($((SECONDS - start)) s)"
