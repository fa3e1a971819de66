#!/usr/bin/env bash
# A packager's build: the product and the tests in Release, with no preset, once with GCC and
# once with Clang, every warning an error. Then clang-format over every tracked C++ file.
# The GCC build (build/ci-release-gcc, the default prefix) is the one the package stage packs.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
start=$SECONDS

packages=(cmake make g++ clang libgtest-dev libgmock-dev qt6-base-dev clang-format git)
source .ci/lib.sh
hs_install_missing "${packages[@]}"

jobs=$(($(nproc) < 2 ? $(nproc) : 2))
for compiler in gcc clang; do
  dir=build/ci-release-$compiler
  cxx=$([ "$compiler" = gcc ] && echo g++ || echo clang++)
  CXX=$cxx cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DHS_BUILD_BENCH=OFF >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "Release build with $compiler passed ($((SECONDS - start)) s)"
done

# Formatting: the project's .clang-format, over the tracked sources.
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "=== release stage passed: ${#sources[@]} files formatted ($((SECONDS - start)) s)"
