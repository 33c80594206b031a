#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: its files and
# control fields, every validator Debian and the desktops use, the manual
# pages against --help, and the packaged quorvane-calc run from the unpacked
# tree. Prints one line per check and a closing count; exits 1 if any failed.
set -uo pipefail
cd "$(dirname "$0")/../.."

version=$(sed -n 's/^project(Quorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=${1:-build/package/quorvane_${version}_$(dpkg --print-architecture).deb}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
passed=0
failed=0
exec 3>&1  # for what a passing check still shows

check() {  # check NAME COMMAND...: runs COMMAND, shows its output only on failure.
  local name=$1 output
  shift
  if output=$("$@" 2>&1); then
    echo "ok: $name"
    passed=$((passed + 1))
  else
    echo "FAILED: $name"
    [[ -n "$output" ]] && sed 's/^/    /' <<<"$output"
    failed=$((failed + 1))
  fi
}

silent() {  # silent COMMAND...: succeeds when COMMAND succeeds and prints nothing.
  local output
  output=$("$@" 2>&1) && [[ -z "$output" ]] || { echo "$output"; return 1; }
}

file_list() {  # exactly the expected files, and every example
  diff -u <({ cat tests/package/files.txt
              find examples -type f | sed 's|^|/usr/share/doc/quorvane/|'; } | sort) \
          <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./|/|; /[^/]$/p' | sort)
}

control() {
  local field package depends recommends
  field() { dpkg-deb --field "$deb" "$1"; }
  package=$(field Package) depends=$(field Depends) recommends=$(field Recommends)
  [[ "$package" == quorvane ]] || { echo "Package: $package"; return 1; }
  [[ "$(field Version)" == "$version" ]] || { echo "Version: $(field Version), project $version"; return 1; }
  # From dpkg-shlibdeps: the libraries the two programs link.
  for library in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libcsv3; do
    [[ "$depends" == *"$library "* ]] || { echo "Depends lacks $library: $depends"; return 1; }
  done
  [[ "$depends, $recommends" == *"fonts-arphic-uming | fonts-wqy-microhei"* ]] ||
    { echo "no Song face in Depends or Recommends"; return 1; }
}

versions_in_step() {  # every file that names the version names this one
  local status=0
  grep -q "<release version=\"$version\"" "$tree/usr/share/metainfo/com.quorvane.Quorvane.metainfo.xml" ||
    { echo "metainfo has no release $version"; status=1; }
  [[ "$(zcat "$tree/usr/share/doc/quorvane/changelog.gz" | head -1)" == "quorvane ($version) "* ]] ||
    { echo "changelog does not start at $version"; status=1; }
  for page in "$tree"/usr/share/man/man1/*.1.gz; do
    zgrep -q "^\.TH .*\"Quorvane $version\"" "$page" || { echo "$page is not of $version"; status=1; }
  done
  return $status
}

icon_sizes() {  # each PNG is as large as the folder it is in says
  local status=0 png size bytes width height
  for size in 48 64 128 256; do
    png=$tree/usr/share/icons/hicolor/${size}x$size/apps/com.quorvane.Quorvane.png
    read -r -a bytes <<<"$(od -An -tu1 -j16 -N8 "$png")"  # IHDR: width, height (big-endian)
    width=$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]))
    height=$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))
    [[ "$width x $height" == "$size x $size" ]] || { echo "$png is $width x $height"; status=1; }
  done
  return $status
}

man_pages() {  # groff and man render both pages with every warning on and say nothing
  local page warnings
  for page in "$tree"/usr/share/man/man1/*.1.gz; do
    warnings=$(zcat "$page" | groff -man -ww -Tutf8 2>&1 >/dev/null)$(
      zcat "$page" | LC_ALL=C.UTF-8 man --warnings -l -Tutf8 - 2>&1 >/dev/null)
    [[ -z "$warnings" ]] || { echo "$page: $warnings"; return 1; }
  done
}

options_documented() {  # every option of --help has its entry in the manual page
  local page options option status=0
  page=$(zcat "$tree/usr/share/man/man1/quorvane-calc.1.gz" | groff -man -Tutf8 -P-cbou 2>/dev/null)
  options=$("$tree/usr/bin/quorvane-calc" --help | grep -oE -- '(^|[ [|])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z-]+' | sort -u)
  [[ -n "$options" ]] || { echo "no options in --help"; return 1; }
  for option in $options; do
    grep -qE -- "^ +(.*, )?$option( |,|$)" <<<"$page" || { echo "$option is not described"; status=1; }
  done
  return $status
}

packaged_version() {
  local printed
  printed=$("$tree/usr/bin/quorvane-calc" --version) || return 1
  [[ "$printed" == "quorvane-calc $version" ]] || { echo "printed: $printed"; return 1; }
}

packaged_run() {  # the packaged tool computes the packaged examples
  "$tree/usr/bin/quorvane-calc" "$tree/usr/share/doc/quorvane/examples/cases.csv" |
    head -1 | grep -q '^提示,伤残赔偿金,'
}

lintian_clean() {  # no error; warnings and notes are shown
  local tags
  tags=$(lintian --fail-on error "$deb" 2>&1) || { echo "$tags"; return 1; }
  tags=$(grep -v 'running with root privileges' <<<"$tags")
  [[ -z "$tags" ]] || sed 's/^/    /' <<<"$tags" >&3
}

if [[ ! -f "$deb" ]]; then
  echo "FAILED: no package $deb (run scripts/package.sh)"
  echo "package: 0 passed, 1 failed"
  exit 1
fi
dpkg-deb -x "$deb" "$tree"

check "file list" file_list
check "control fields and dependencies" control
check "version in step: metainfo, changelog, manual pages" versions_in_step
check "icon sizes" icon_sizes
check "desktop-file-validate" silent desktop-file-validate "$tree/usr/share/applications/com.quorvane.Quorvane.desktop"
check "appstreamcli validate --no-net" appstreamcli validate --no-net "$tree/usr/share/metainfo/com.quorvane.Quorvane.metainfo.xml"
check "appstreamcli validate-tree --no-net (launchable, icon)" appstreamcli validate-tree --no-net "$tree"
check "manual pages render without warnings" man_pages
check "quorvane-calc(1) describes every option of --help" options_documented
check "packaged quorvane-calc --version" packaged_version
check "packaged quorvane-calc runs the examples" packaged_run
check "lintian: no error" lintian_clean

echo "package: $passed passed, $failed failed"
((failed == 0))
