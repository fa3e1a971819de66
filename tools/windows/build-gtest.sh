#!/usr/bin/env bash
# Cross-builds GoogleTest from Debian's source package (libgtest-dev) for another target (Windows,
# or WebAssembly with cmake/web.cmake) and installs it into a prefix, for the cross-built test
# programs.
#   tools/windows/build-gtest.sh <toolchain file> <build folder> <install prefix>
set -euo pipefail
toolchain=$(realpath "$1")
build=$2
prefix=$3
src=/usr/src/googletest
if [ -f "$prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  exit 0
fi
cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON \
  -Dgtest_disable_pthreads=OFF >/dev/null
cmake --build "$build" -j 2
cmake --install "$build" >/dev/null
