#!/usr/bin/env bash
# Sets up, builds (release) and starts Quorvane. On a machine without a display
# the window opens on a virtual one (Xvfb), as it would in CI.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
program=build/release/src/app/quorvane
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display: starting Quorvane on a virtual one (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1024x900x24" "$program" "$@"
fi
exec "$program" "$@"
