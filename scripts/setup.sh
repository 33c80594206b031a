#!/usr/bin/env bash
# Installs, from Debian's packages, whatever Quorvane needs to build, test and
# run that this machine lacks. Safe to run again: it installs only what is missing.
# With --web, what the browser build and its tests need instead (scripts/build-web.sh).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libcsv-dev
  qt6-base-dev qt6-translations-l10n libfontconfig-dev
  xvfb xauth libxcb1-dev
  clang-14 libclang-rt-14-dev time
  poppler-utils unzip libxml2-utils
  fonts-arphic-uming fonts-wqy-microhei
  librsvg2-bin groff-base dpkg-dev
  man-db desktop-file-utils appstream lintian
)
if [[ "${1:-}" == --web ]]; then
  # node and npm come with emscripten's nodejs unless the machine has its own.
  packages=(emscripten chromium dpkg-dev fonts-arphic-uming)
  command -v npm >/dev/null || packages+=(nodejs npm)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

command=(apt-get install -y "${missing[@]}")
if ((EUID != 0)); then
  if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    sudo apt-get update -qq
    sudo DEBIAN_FRONTEND=noninteractive "${command[@]}"
    exit 0
  fi
  echo "Quorvane needs these packages. Run as root:" >&2
  echo "  apt-get update && ${command[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${command[@]}"
