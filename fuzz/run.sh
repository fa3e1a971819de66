#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each one for a bounded time on a working
# copy of its seed corpus (fuzz/corpus/<name>); new inputs go to build/fuzz/work/<name>/corpus.
#   fuzz/run.sh [seconds per harness] [harness names...]
# Fails when a harness finds a crash, a leak, a hang or an input that eats more than 2 GB;
# the input is then kept in build/fuzz/work/<name>/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
secs=${1:-60}
shift || true
harnesses=(numbers lines format mask profile choice language language_name translator_mask
  placement settings_list check page_input)
if (($#)); then harnesses=("$@"); fi

build=$root/build/fuzz
CXX=${CXX:-clang++} cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "${harnesses[@]/#/fuzz_}" >/dev/null

failed=()
for h in "${harnesses[@]}"; do
  work=$build/work/$h
  mkdir -p "$work/corpus" "$work/artifacts"
  status=0
  "$build/fuzz_$h" -max_total_time="$secs" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$root/fuzz/corpus/$h" \
    >"$work/log" 2>&1 || status=$?
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$work/log")
  echo "fuzz_$h: ${runs:-?} executions in ${secs} s"
  if ((status != 0)); then
    failed+=("$h")
    grep -E 'ERROR|SUMMARY|Test unit written|^[A-Za-z].*(differ|missing|bound|changed)' "$work/log" | head -20 || true
  fi
done
if ((${#failed[@]})); then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
