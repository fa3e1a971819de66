#!/usr/bin/env bash
# Start-up of the two programs with the sample data, as medians of N runs:
#   herosheet-sim: process start to the end of the first dump (then quit);
#   herosheet (offscreen Qt): process start to the first painted frame, and the peak RSS.
# Usage: bench/measure_programs.sh [build dir (default build/default)] [runs (default 21)]
set -euo pipefail
build=${1:-build/default}
runs=${2:-21}
cmake --build "$build" --target herosheet-sim herosheet herosheet-first-frame -j2 >/dev/null
dir="$build/app"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$dir/choice.ini" "$dir/array.ini" "$tmp/"
printf '[main]\r\nlanguage=en\r\n' > "$tmp/config.ini"
cp "$dir"/*.lng "$tmp/" 2>/dev/null || true
sim=$(realpath "$dir/herosheet-sim")
frame=$(realpath "$dir/herosheet-first-frame")

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

cd "$tmp"
# What starting any process costs on this machine right now.
for _ in $(seq "$runs"); do
  s=$(date +%s%N)
  printf 'dump\n' | /bin/cat | grep -q 'x' || true
  e=$(date +%s%N)
  echo $(((e - s) / 1000))
done | median | awk '{printf "baseline, an empty pipeline of the same shape: %.1f ms\n", $1 / 1000}'
for _ in $(seq "$runs"); do
  s=$(date +%s%N)
  printf 'dump\n' | "$sim" --program-dir "$tmp" | grep -q '^\.$'
  e=$(date +%s%N)
  echo $(((e - s) / 1000))
done | median | awk '{printf "herosheet-sim, start to first dump: %.1f ms\n", $1 / 1000}'

export QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96
for _ in $(seq "$runs"); do
  s=$(date +%s%N)
  "$frame" >/dev/null 2>&1
  e=$(date +%s%N)
  echo $(((e - s) / 1000))
done | median | awk '{printf "herosheet, start to first painted frame (whole run): %.1f ms\n", $1 / 1000}'
for _ in $(seq "$runs"); do
  /usr/bin/time -f '%M' "$frame" 2>&1 >/dev/null | tail -1
done | median | awk '{printf "herosheet, peak RSS: %.1f MB\n", $1 / 1024}'
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
