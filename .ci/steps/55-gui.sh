#!/usr/bin/env bash
# The desktop program on a real X server (Xvfb), with and without a window manager (openbox):
# placement across starts and moves, and the "/ih" credit box; then what a screen reader hears
# over AT-SPI. Builds the program if needed.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

packages=(cmake make g++ qt6-base-dev libgtest-dev libgmock-dev fonts-dejavu-core
          fonts-liberation xvfb xauth xdotool xclip openbox dbus at-spi2-core python3-pyatspi)
source .ci/lib.sh
hs_install_missing "${packages[@]}"

jobs=$(($(nproc) < 2 ? $(nproc) : 2))
cmake --preset default >/dev/null
cmake --build build/default -j"$jobs" --target herosheet
tools/linux/gui-test.sh build/default/app/herosheet
tools/linux/atspi-test.sh build/default/app/herosheet
