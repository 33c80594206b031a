#!/usr/bin/env bash
# Builds the release and the Debian package build/package/quorvane_VERSION_ARCH.deb
# (install it with: apt install ./build/package/quorvane_*.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Debian's hardening flags, as a package built by Debian's own tools gets them;
# the optimisation level stays the Release build's and the symbols are stripped.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flag() {
  local word
  for word in $(dpkg-buildflags --get "$1"); do
    case "$word" in -g | -O?) ;; *) printf '%s ' "$word" ;; esac
  done
}
cmake --preset package \
  -DCMAKE_CXX_FLAGS="$(flag CPPFLAGS) $(flag CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flag LDFLAGS)" >/dev/null
cmake --build --preset package
rm -f build/package/quorvane_*.deb
cpack --preset package
ls build/package/quorvane_*.deb
