#!/bin/sh
# Runs one test or benchmark headless, with HOME and the runtime folder in a fresh
# temporary folder that is removed afterwards, under the C locale: numbers on screen follow
# the user's locale, so suites that expect other locales set them themselves.
home=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-home.XXXXXX") || exit 1
trap 'rm -rf "$home"' EXIT INT TERM
LC_ALL=C.UTF-8 LANG=C.UTF-8 HOME="$home" XDG_RUNTIME_DIR="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen "$@"
