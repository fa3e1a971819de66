#!/usr/bin/env bash
# The whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer (leaks included).
set -euo pipefail
./dev asan
