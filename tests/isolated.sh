#!/bin/sh
# Runs one test or benchmark headless, with HOME and the runtime folder in a fresh
# temporary folder that is removed afterwards.
home=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-home.XXXXXX") || exit 1
trap 'rm -rf "$home"' EXIT INT TERM
HOME="$home" XDG_RUNTIME_DIR="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen "$@"
