#!/usr/bin/env bash
# The batch tool's claim sheets worked out on its second thread against the
# same run on one thread: generated cases with claim inputs, byte for byte.
# Under ThreadSanitizer a report ends the run with its exit status.
# Usage: claim_thread.sh QUORVANE_CALC CASE_GENERATOR CASES
set -euo pipefail
calc=$1 generate=$2 cases=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$generate" "$cases" claim > "$dir/cases.csv"
QUORVANE_CLAIM_THREAD=0 "$calc" --claim -o "$dir/one.csv" "$dir/cases.csv"
"$calc" --claim -o "$dir/two.csv" "$dir/cases.csv"
cmp "$dir/one.csv" "$dir/two.csv"
[[ $(wc -l < "$dir/two.csv") -eq $((cases + 1)) ]]
