#!/usr/bin/env bash
# The README's test command: installs packages, builds the default preset, runs every test.
set -euo pipefail
./dev test
