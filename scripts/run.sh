#!/usr/bin/env bash
# Sets up, builds (release) and starts Quorvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/src/cli/quorvane-calc examples/cases.csv
