#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: in the debug build (warnings as
# errors) and in the sanitizer build (AddressSanitizer, leak and undefined-behaviour
# checks); then the case tests and the batch tool's claim sheets on a second thread
# under ThreadSanitizer (clang), where any report fails the run; then builds the
# Debian package and checks it; then builds the web page
# and node tool (WebAssembly) and tests them: the engine's tests under node, the
# node tool and the page in headless chromium against the debug build's native tool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in debug asan; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
echo "== tsan =="
cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan
echo "== package =="
scripts/package.sh
tests/package/check.sh
echo "== wasm =="
scripts/build-web.sh
ctest --preset wasm
