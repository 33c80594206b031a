#!/usr/bin/env bash
# The batch tool end to end: 100,000 generated cases, file in, file out.
# Usage: bench/batch.sh [BUILD_DIR] [CASES]   (default build/release, 100000)
# ROUNDS=N runs N rounds and reports medians. BASE=DIR also runs DIR's build,
# interleaved with this one on the same input, and reports the ratio.
# GB18030=1 also runs the input converted to GB18030 with --encoding gb18030
# and reports its time against the UTF-8 run. CLAIM=1 also runs the same input
# with --claim and reports its throughput against the run without.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cases=${2:-100000}
rounds=${ROUNDS:-1}
input=$(mktemp) output=$(mktemp) gbinput=$(mktemp) times=$(mktemp)
trap 'rm -f "$input" "$output" "$gbinput" "$times"' EXIT
[[ -n "${KEEP_INPUT:-}" ]] && trap 'rm -f "$output" "$gbinput" "$times"' EXIT && echo "input: $input"

bench/cases.sh "$cases" > "$input"
[[ -n "${GB18030:-}" ]] && iconv -f UTF-8 -t GB18030 "$input" > "$gbinput"

# One timed run: label, binary, arguments; appends "label nanoseconds".
timed() {
  local label=$1 start end
  shift
  start=$(date +%s%N)
  "$@" > "$output"
  end=$(date +%s%N)
  echo "$label $((end - start))" >> "$times"
}

for ((round = 0; round < rounds; round++)); do
  [[ -n "${BASE:-}" ]] && timed base "$BASE/src/cli/quorvane-calc" "$input"
  timed this "$build/src/cli/quorvane-calc" "$input"
  [[ -n "${GB18030:-}" ]] && timed gb18030 "$build/src/cli/quorvane-calc" --encoding gb18030 "$gbinput"
  [[ -n "${CLAIM:-}" ]] && timed claim "$build/src/cli/quorvane-calc" --claim "$input"
done

rows=$(($(wc -l < "$output") - 1))
awk -v n="$cases" -v rows="$rows" '
  { t[$1] = t[$1] " " $2 }
  function median(list,   v, k, i, j, x) {
    k = split(list, v, " ")
    for (i = 2; i <= k; i++) { x = v[i]; for (j = i - 1; j > 0 && v[j] > x; j--) v[j + 1] = v[j]; v[j + 1] = x }
    return k % 2 ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2
  }
  END {
    for (label in t) m[label] = median(t[label])
    split("base this gb18030 claim", order, " ")
    for (i = 1; i <= 4; i++) {
      label = order[i]
      if (!(label in m)) continue
      printf "quorvane-calc (%s): %d cases in %.1f ms, %.0f cases per second", label, n, m[label] / 1e6, n / (m[label] / 1e9)
      if (label == "this" && ("base" in m)) printf ", %.2fx the base", m["base"] / m["this"]
      if (label == "gb18030") printf ", %.2fx the UTF-8 time", m["gb18030"] / m["this"]
      if (label == "claim") printf ", %.0f%% of the throughput without --claim", 100 * m["this"] / m["claim"]
      printf "\n"
    }
    printf "(%d result rows; median of %d rounds)\n", rows, NR / length(m)
  }' "$times"
