#!/bin/sh
# Fails when a source file includes a header of a layer above its own, or of a layer beside
# it. The layers, from the bottom: core/; src/model/; src/files/; src/document/; then
# src/window/ and src/commandline/ side by side; the program in src/ itself on top.
# Usage: check-layers.sh [ROOT] (the project folder, this script's parent by default).
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2
find core src -name '*.h' -o -name '*.cpp' | sort | while read -r file; do
  grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"\(core\|src\)/' "$file" \
    | sed "s|^|$file:|"
done | awk -F: '
  # The rank of a layer; layers of one rank may not include each other.
  function layer(path) {
    if (path ~ /^core\//) return "core"
    if (path ~ /^src\/buildinfo\.h$/) return "core"
    if (path ~ /^src\/(model|files|document|window|commandline)\//) {
      split(path, parts, "/")
      return parts[2]
    }
    return "program"
  }
  BEGIN {
    rank["core"] = 0; rank["model"] = 1; rank["files"] = 2; rank["document"] = 3
    rank["window"] = 4; rank["commandline"] = 4; rank["program"] = 5
    bad = 0
  }
  {
    file = $1; line = $2
    included = $0
    sub(/^[^"]*"/, "", included); sub(/".*$/, "", included)
    own = layer(file); other = layer(included)
    if (rank[other] > rank[own] || (rank[other] == rank[own] && other != own)) {
      printf "%s:%s: the %s layer includes \"%s\" from the %s layer above or beside it\n", \
        file, line, own, included, other
      bad = 1
    }
  }
  END { exit bad }'
