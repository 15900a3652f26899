#!/bin/sh
# Checks the Debian package that `make package` built: its file name, the control
# fields, every file it must hold and nothing else, owners and modes, the changelog's
# version, and lintian's verdict (any error fails; warnings are shown).
#
#   tools/check-package.sh [BUILD_DIR]     (default: build)
set -u
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-package.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
failures=0

fail() {
  echo "check-package: FAILED: $*" >&2
  failures=$((failures + 1))
}

ok() {
  echo "check-package: ok: $*"
}

# The version CPack was configured with, from the project's version.
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake" 2>/dev/null)
arch=$(dpkg --print-architecture)
deb="$build/vandrel_${version}_${arch}.deb"
if [ -z "$version" ] || [ ! -s "$deb" ]; then
  echo "check-package: FAILED: no package $deb; run make package first" >&2
  exit 1
fi
ok "$(basename "$deb"), $(wc -c <"$deb") bytes"

if ! dpkg-deb --info "$deb" >"$work/info" 2>&1; then
  cat "$work/info" >&2
  fail "dpkg-deb --info cannot read $deb"
  exit 1
fi

field() {
  dpkg-deb -f "$deb" "$1"
}

expect_field() {
  actual=$(field "$1")
  if [ "$actual" = "$2" ]; then ok "$1: $actual"; else fail "$1 is \"$actual\", not \"$2\""; fi
}

expect_field Package vandrel
expect_field Version "$version"
expect_field Architecture "$arch"
expect_field Maintainer "Vandrel developers <developers@vandrel.org>"
expect_field Section science
expect_field Priority optional

homepage=$(field Homepage)
case $homepage in
  https://*) ok "Homepage: $homepage" ;;
  *) fail "Homepage is \"$homepage\", not an https address" ;;
esac

# dpkg-shlibdeps names the libraries the program links, whichever Qt it was built with.
depends=$(field Depends)
missing=""
for library in 'libqt[56]core[56]' 'libqt[56]gui[56]' 'libqt[56]widgets[56]' 'libqt[56]svg[56]' 'libcsv[0-9]' 'libc6'; do
  echo "$depends" | grep -Eq "(^|, )$library( |,|$)" || missing="$missing $library"
done
if [ -z "$missing" ]; then ok "Depends: $depends"; else fail "Depends names no$missing: $depends"; fi

# A synopsis, then an extended description of indented lines with " ." between paragraphs.
field Description >"$work/description"
synopsis=$(head -n 1 "$work/description")
[ -n "$synopsis" ] || fail "the Description has no synopsis"
[ "$(wc -l <"$work/description")" -ge 3 ] || fail "the Description has no extended description"
if tail -n +2 "$work/description" | grep -qv '^ '; then
  fail "a line of the extended description does not start with a space"
fi
tail -n +2 "$work/description" | grep -qx ' \.' || fail "the extended description has a single paragraph"
ok "Description: $synopsis"

# Every file and no other: mode, owner and path of each, directories left aside.
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort -k3 >"$work/files"
expected_files() {
  echo "-rwxr-xr-x root/root ./usr/bin/vandrel"
  for file in applications/org.vandrel.Vandrel.desktop doc/vandrel/changelog.gz \
    doc/vandrel/copyright icons/hicolor/scalable/apps/vandrel.svg man/man1/vandrel.1.gz \
    metainfo/org.vandrel.Vandrel.metainfo.xml mime/packages/vandrel.xml; do
    echo "-rw-r--r-- root/root ./usr/share/$file"
  done
  for size in 16 24 32 48 64 128 256; do
    echo "-rw-r--r-- root/root ./usr/share/icons/hicolor/${size}x${size}/apps/vandrel.png"
  done
}
expected_files | sort -k3 >"$work/expected"
if diff "$work/expected" "$work/files" >"$work/difference"; then
  ok "$(wc -l <"$work/files") files, each with its mode and owned by root"
else
  fail "the files differ from those expected (< expected, > in the package):
$(grep '^[<>]' "$work/difference")"
fi
wrong_directories=$(dpkg-deb --contents "$deb" | awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root") { print $1, $2, $6 }')
[ -z "$wrong_directories" ] || fail "directories not drwxr-xr-x root/root: $wrong_directories"

# The compressed files unpack, and the changelog's newest entry is this version.
dpkg-deb -x "$deb" "$work/root"
for file in usr/share/man/man1/vandrel.1.gz usr/share/doc/vandrel/changelog.gz; do
  gzip -t "$work/root/$file" 2>/dev/null || fail "$file is not gzip-compressed"
done
gzip -dc "$work/root/usr/share/doc/vandrel/changelog.gz" >"$work/changelog" 2>/dev/null
changelog_version=$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>/dev/null)
if [ "$changelog_version" = "$version" ]; then
  ok "the changelog's newest entry is $version"
else
  fail "the changelog's newest entry is \"$changelog_version\", not $version: add one to cmake/debian/changelog"
fi

# Lintian: errors fail the check; warnings and notes are shown for a reader to judge.
lintian --display-info --fail-on error "$deb" >"$work/lintian" 2>&1
status=$?
grep -v 'running with root privileges' "$work/lintian"
if [ "$status" -eq 0 ]; then
  ok "lintian reports no error"
else
  fail "lintian reports errors (status $status)"
fi

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures check(s) failed" >&2
  exit 1
fi
echo "check-package: the package holds what it should"
