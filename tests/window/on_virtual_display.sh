#!/usr/bin/env bash
# Runs a command on a virtual X display of its own. Xvfb picks a free display
# number itself (-displayfd), so runs side by side never contend for one.
set -euo pipefail
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x900x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$dir"' EXIT
for ((i = 0; i < 200; i++)); do  # the number is written once the server is ready
  [[ $(wc -l <"$dir/display") -gt 0 ]] && break
  kill -0 $xvfb 2>/dev/null || { cat "$dir/log" >&2; exit 1; }
  sleep 0.05
done
[[ -s $dir/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(cat "$dir/display") QT_QPA_PLATFORM=xcb "$@"
