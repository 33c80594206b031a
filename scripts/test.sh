#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite twice: in the debug build
# (warnings as errors) and in the sanitizer build (AddressSanitizer, leak and
# undefined-behaviour checks); then builds the Debian package and checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in debug asan; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
echo "== package =="
scripts/package.sh
tests/package/check.sh
