#!/usr/bin/env bash
# Every libFuzzer harness for a bounded time on its seed corpus; a crash fails the stage.
set -euo pipefail
source .ci/lib.sh
hs_install_missing clang libclang-rt-14-dev cmake make libgtest-dev
# Thirteen harnesses share about the time seven had at 45 s each.
fuzz/run.sh "${HS_FUZZ_SECONDS:-28}"
