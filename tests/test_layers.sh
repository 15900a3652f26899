#!/bin/sh
# The layer check passes on the sources as they are and fails, naming the file, on a copy
# with an include planted that reaches up a layer or across to a neighbour.
set -u
source_root=$(cd "$(dirname "$0")/.." && pwd)
check="$source_root/tools/check-layers.sh"
"$check" "$source_root" || { echo "FAIL: the sources break the layer order"; exit 1; }

copy=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-layers.XXXXXX") || exit 1
trap 'rm -rf "$copy"' EXIT INT TERM
plant() {
  rm -rf "$copy/core" "$copy/src"
  cp -R "$source_root/core" "$source_root/src" "$copy/"
  printf '#include "%s"\n' "$2" >> "$copy/$1"
  if output=$("$check" "$copy"); then
    echo "FAIL: $1 including $2 passed the check"; exit 1
  fi
  case "$output" in
    *"$1"*) ;;
    *) echo "FAIL: the check's message does not name $1: $output"; exit 1 ;;
  esac
}
plant src/model/resampling.cpp src/window/vandrel.h
plant src/files/documentfile.h src/document/undocommands.h
plant core/vector2.cpp src/model/model.h
plant src/window/vandrel.cpp src/commandline/commandline.h
echo "PASS: the layer check holds and catches upward and sideways includes"
