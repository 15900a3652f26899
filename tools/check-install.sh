#!/bin/sh
# Installs a built tree into a temporary prefix and checks what a desktop gets from it:
# every file present, the desktop entry, the AppStream file and the manual page valid,
# each icon of its size, and the installed program runs.
#
#   tools/check-install.sh [BUILD_DIR]     (default: build)
set -u
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-install.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
prefix="$work/prefix"
failures=0

fail() {
  echo "check-install: FAILED: $*" >&2
  failures=$((failures + 1))
}

ok() {
  echo "check-install: ok: $*"
}

# Width and height from a PNG's header, as "WxH".
png_size() {
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}

require_file() {
  if [ -s "$prefix/$1" ]; then ok "$1"; else fail "$1 is not installed"; fi
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  fail "cmake --install $build"
  exit 1
fi

require_file bin/vandrel
require_file share/man/man1/vandrel.1
require_file share/doc/vandrel/LICENSE
require_file share/icons/hicolor/scalable/apps/vandrel.svg
for size in 16 24 32 48 64 128 256; do
  icon="share/icons/hicolor/${size}x${size}/apps/vandrel.png"
  require_file "$icon"
  if [ -s "$prefix/$icon" ]; then
    actual=$(png_size "$prefix/$icon")
    [ "$actual" = "${size}x${size}" ] || fail "$icon is $actual pixels, not ${size}x${size}"
  fi
done

# One desktop entry and one AppStream file, both named by the program's id.
set -- "$prefix"/share/applications/*.desktop
if [ $# -ne 1 ] || [ ! -s "$1" ]; then
  fail "expected one desktop entry in share/applications"
  desktop=""
else
  desktop=$1
  id=$(basename "$desktop" .desktop)
  ok "share/applications/$id.desktop"
fi
if [ -n "$desktop" ]; then
  metainfo="$prefix/share/metainfo/$id.metainfo.xml"
  require_file "share/metainfo/$id.metainfo.xml"
  if desktop-file-validate "$desktop"; then ok "desktop-file-validate"; else fail "desktop-file-validate $desktop"; fi
  if [ -s "$metainfo" ]; then
    if appstreamcli validate --no-net "$metainfo"; then
      ok "appstreamcli validate"
    else
      fail "appstreamcli validate $metainfo"
    fi
    grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
      fail "the AppStream file does not launch $id.desktop"
    grep -q '^MimeType=.*application/x-vandrel;' "$desktop" ||
      fail "the desktop entry does not open application/x-vandrel documents"
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -s "$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
      fail "the desktop entry's icon \"$icon_name\" is not installed"
  fi
fi

# The document type, and that the shared MIME database maps .vandrel files to it.
require_file share/mime/packages/vandrel.xml
if command -v update-mime-database >/dev/null 2>&1; then
  if grep -q 'application/x-vandrel:\*\.vandrel' "$prefix/share/mime/globs2" 2>/dev/null; then
    ok "the MIME database knows *.vandrel"
  else
    fail "the MIME database in $prefix/share/mime does not map *.vandrel"
  fi
fi

warnings=$(groff -man -ww -z "$prefix/share/man/man1/vandrel.1" 2>&1)
if [ -z "$warnings" ]; then ok "manual page formats without warnings"; else fail "manual page: $warnings"; fi

# The installed program, headless and with a throw-away home folder: --version must
# answer with the release the AppStream file names, and --help must list every option.
version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "${metainfo:-/dev/null}")
mkdir -p "$work/home"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home" \
  QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/vandrel" --version >"$work/out" 2>"$work/err"
status=$?
if [ "$status" -eq 0 ] && [ -n "$version" ] && grep -q -- "$version" "$work/out"; then
  ok "installed vandrel --version: $(head -n 1 "$work/out")"
else
  fail "installed vandrel --version ended with status $status (expected version $version): $(cat "$work/out" "$work/err")"
fi

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home" \
  QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/vandrel" --help >"$work/help" 2>"$work/err"
status=$?
if [ "$status" -ne 0 ]; then
  fail "installed vandrel --help ended with status $status: $(cat "$work/err")"
else
  for option in --help --help-all --version --export; do
    grep -q -- "$option" "$work/help" || fail "installed vandrel --help does not list $option"
  done
  ok "installed vandrel --help"
fi

if [ "$failures" -ne 0 ]; then
  echo "check-install: $failures check(s) failed" >&2
  exit 1
fi
echo "check-install: everything installed and valid"
