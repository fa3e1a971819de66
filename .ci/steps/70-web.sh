#!/usr/bin/env bash
# The browser build: the web preset with Debian's Emscripten, then the browser tests in Debian's
# Chromium (headless) through puppeteer-core from npm (no browser download), and the size and
# first-frame limits.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
start=$SECONDS

packages=(cmake make libgtest-dev emscripten chromium fonts-liberation2 woff2)
# Node.js and npm may come from elsewhere than Debian (a Node.js that bundles npm conflicts
# with Debian's npm package): only what is missing.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
source .ci/lib.sh
hs_install_missing "${packages[@]}"
echo "packages ready ($((SECONDS - start)) s)"

jobs=$(($(nproc) < 2 ? $(nproc) : 2))
# GoogleTest built by Emscripten, for the conformance suite's page.
tools/windows/build-gtest.sh cmake/web.cmake build/web-gtest "$PWD/build/web-gtest/install" >/dev/null
cmake --preset web -DHS_BUILD_TESTS=ON \
  -DGTest_DIR="$PWD/build/web-gtest/install/lib/cmake/GTest" >/dev/null
cmake --build --preset web -j"$jobs" --target herosheet_web herosheet-sim \
  backends_conformance_web_tests
for f in herosheet.html herosheet.js herosheet.wasm herosheet.data sw.js herosheet.webmanifest \
  icons/herosheet-256.png fonts/LiberationSans-Regular.woff2 \
  fonts/LICENSE.txt app/herosheet-sim.js tests/backends/backends_conformance_web_tests.html; do
  [ -s "build/web/$f" ] || { echo "the web build lacks $f" >&2; exit 1; }
done
echo "built build/web ($((SECONDS - start)) s)"

cd tests/web
PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null
echo "test packages ready ($((SECONDS - start)) s)"
node --test
node measure.mjs --check
echo "=== web stage passed ($((SECONDS - start)) s)"
