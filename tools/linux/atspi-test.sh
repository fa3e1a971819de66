#!/usr/bin/env bash
# The desktop program as a screen reader sees it: over AT-SPI, on Xvfb with a session bus of its
# own (atspi_check.py says what is checked).
# Usage: tools/linux/atspi-test.sh PATH/TO/herosheet
#   (needs xvfb-run, xauth, xdotool, dbus, at-spi2-core, python3-pyatspi)
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/herosheet"
cp "$here"/data/choice.ini "$here"/data/array.ini "$here"/data/*.lng "$work/"
printf '[main]\nlanguage=en\n' >"$work/config.ini"
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  dbus-run-session -- /usr/bin/python3 "$here/tools/linux/atspi_check.py" "$work"
