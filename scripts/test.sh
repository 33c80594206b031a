#!/usr/bin/env bash
# Sets up, builds (debug, warnings as errors) and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset debug
cmake --build --preset debug
ctest --preset debug
