#!/usr/bin/env bash
# Every libFuzzer harness for a bounded time on its seed corpus; a crash fails the stage.
set -euo pipefail
need=()
for p in clang libclang-rt-14-dev cmake make libgtest-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || need+=("$p")
done
if ((${#need[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
# Eleven harnesses share the time seven had at 45 s each.
fuzz/run.sh "${HS_FUZZ_SECONDS:-28}"
