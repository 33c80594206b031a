#!/usr/bin/env bash
# Start-up of quorvane against a minimal Qt Widgets window, both built in this
# tree and run alternately on one virtual display (Xvfb): milliseconds from
# process start to the window being shown and ready, and peak memory. Both are
# timed by the same preloaded library (ready_report.cpp), not by code of their own.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]   (default build/release, 30 runs)
# PAUSE=SECONDS waits that long before each run (default 0): a run right after
# another program's is slowed by what that program leaves behind, so with a
# pause each program is timed on a rested machine.
# YARDSTICK=caption_window compares with the empty window showing one caption,
# which pays for fonts as any window with text does.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-30}
yardstick=${YARDSTICK:-empty_window}
label=$([[ $yardstick == empty_window ]] && echo "empty window" || echo "$yardstick")

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb
hook=$(realpath "$build/bench/libready_report.so")

measure() {  # program -> "milliseconds kilobytes"
  local start ready kib
  sleep "${PAUSE:-0}"
  start=$(date +%s%N)
  ready=$( { /usr/bin/time -f "peak %M" env LD_PRELOAD="$hook" "$1" 2>&3 | sed -n 's/^ready //p'; } 3>/tmp/quorvane-startup-time.$$)
  kib=$(sed -n 's/^peak //p' /tmp/quorvane-startup-time.$$)
  echo "$(( (ready - start) / 1000 )) $kib"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

declare -a app_ms app_kib empty_ms empty_kib
for program in "$build/src/app/quorvane" "$build/bench/$yardstick"; do measure "$program" >/dev/null; done  # warm the caches
for ((i = 0; i < runs; i++)); do
  read -r ms kib < <(measure "$build/src/app/quorvane"); app_ms+=("$ms"); app_kib+=("$kib")
  read -r ms kib < <(measure "$build/bench/$yardstick"); empty_ms+=("$ms"); empty_kib+=("$kib")
done
rm -f /tmp/quorvane-startup-time.$$

app=$(printf '%s\n' "${app_ms[@]}" | median)
empty=$(printf '%s\n' "${empty_ms[@]}" | median)
awk -v app="$app" -v empty="$empty" -v runs="$runs" -v label="$label" \
    -v appkib="$(printf '%s\n' "${app_kib[@]}" | median)" \
    -v emptykib="$(printf '%s\n' "${empty_kib[@]}" | median)" 'BEGIN {
  printf "quorvane      start to ready: median %6.1f ms, peak memory median %s KiB\n", app / 1000, appkib
  printf "%-13s start to ready: median %6.1f ms, peak memory median %s KiB\n", label, empty / 1000, emptykib
  printf "ratio quorvane / %s: %.2f (%d runs each)\n", label, app / empty, runs
}'
