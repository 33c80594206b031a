#!/usr/bin/env bash
# Builds the calculator for the browser and for node with Debian's emscripten,
# leaving build/web/quorvane.html (one file: open it in any browser) and
# build/web/quorvane-calc.js (the batch tool: node build/web/quorvane-calc.js FILE).
# Installs what is missing: emscripten, node and chromium from Debian, the
# source of Debian's libcsv, and puppeteer-core from npm for the page tests.
set -euo pipefail
cd "$(dirname "$0")/.."

# emscripten 3.1.6 finds its JS modules (acorn) only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs

scripts/setup.sh
scripts/setup.sh --web

# No wasm build of libcsv is packaged: its source package is, and apt fetches it
# through a source list of its own, leaving the system's lists untouched.
libcsv=build/web-deps/libcsv
if [[ ! -f $libcsv/libcsv.c ]]; then
  apt=build/web-deps/apt
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources" "$apt/get"
  cat >"$apt/sources/debian-src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$PWD/$apt/sources"
           -o "Dir::State::Lists=$PWD/$apt/lists" -o "Dir::Cache=$PWD/$apt/cache"
           -o APT::Sandbox::User=root)
  apt-get "${options[@]}" update -qq
  (cd "$apt/get" && apt-get "${options[@]}" source --download-only -qq libcsv)
  rm -rf "$libcsv"
  dpkg-source -x "$apt"/get/libcsv_*.dsc "$libcsv" >/dev/null
fi

# puppeteer-core drives the system's chromium; it never downloads a browser.
if [[ ! -d tests/web/node_modules/puppeteer-core ]]; then
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
fi

cmake --preset wasm >/dev/null
cmake --build --preset wasm
ls -l build/web/quorvane.html build/web/quorvane-calc.js
# What a slow connection fetches; the page tests hold it to 150,000 bytes.
echo "quorvane.html gzipped (gzip -9): $(gzip -9 -c build/web/quorvane.html | wc -c) bytes"
