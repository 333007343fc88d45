#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own. The layers, bottom to top:
# platform (with resources/, which holds only ids), textlib, registry, titles; every other
# top-level folder (launcher/, tests/, bench/ and tool folders added later) sits at the top.
# The one allowed exception: titles/ starts programs through launcher/shell_open.h, whose library
# is built before titles (launcher/shell.cmake).
set -euo pipefail
cd "$(dirname "$0")/../.."

layer_of() {
  case "$1" in
    platform | resources | contract) echo 0 ;;
    textlib) echo 1 ;;
    registry) echo 2 ;;
    titles) echo 3 ;;
    *) echo 4 ;;
  esac
}

status=0
while IFS= read -r file; do
  own=$(layer_of "${file%%/*}")
  while IFS=: read -r line header; do
    [[ "$header" == */* ]] || continue  # beside the including file
    [ "$(layer_of "${header%%/*}")" -gt "$own" ] || continue
    [[ "$file" == titles/* && "$header" == launcher/shell_open.h ]] && continue
    echo "$file:$line: includes $header from a layer above its own" >&2
    status=1
  done < <(awk 'match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]*"/) {
      header = substr($0, RSTART, RLENGTH); sub(/^[^"]*"/, "", header); sub(/"$/, "", header)
      print FNR ":" header }' "$file")
done < <(git ls-files -- '*.h' '*.cpp' '*.c' '*.rc' | grep /)
exit $status
