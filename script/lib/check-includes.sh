#!/usr/bin/env bash
# Fails when a source file includes a header it may not. The product's layers, bottom to top:
# platform (with resources/ and contract/, which hold only ids and shared names), textlib,
# registry, titles, launcher; a layer includes only its own and those below. harness/, what the
# tools share, sits above them all. Every other top-level folder is a tool (packreg/, demo/,
# tests/, fuzz/, bench/, and any added later): it may include the product's layers and harness/,
# not another tool's folder, except that tests/ may include the tools it tests (packreg/, demo/).
# The one exception among the layers: titles/ starts programs through launcher/shell_open.h,
# whose library is built before titles (launcher/shell.cmake).
set -euo pipefail
cd "$(dirname "$0")/../.."

tool_level=6

level_of() {
  case "$1" in
    platform | resources | contract) echo 0 ;;
    textlib) echo 1 ;;
    registry) echo 2 ;;
    titles) echo 3 ;;
    launcher) echo 4 ;;
    harness) echo 5 ;;
    *) echo $tool_level ;;
  esac
}

# Whether a file of folder $1 may include a header of folder $2.
allowed() {
  local own=$1 other=$2 own_level other_level
  own_level=$(level_of "$own")
  other_level=$(level_of "$other")
  if ((other_level < tool_level)); then
    ((other_level <= own_level))
    return
  fi
  [[ "$own" == "$other" ]] && return 0
  [[ "$own" == tests && ("$other" == packreg || "$other" == demo) ]]
}

status=0
while IFS= read -r file; do
  own=${file%%/*}
  while IFS=: read -r line header; do
    [[ "$header" == */* ]] || continue  # beside the including file
    other=${header%%/*}
    allowed "$own" "$other" && continue
    [[ "$file" == titles/* && "$header" == launcher/shell_open.h ]] && continue
    if (($(level_of "$other") < tool_level)); then
      echo "$file:$line: includes $header from a layer above its own" >&2
    else
      echo "$file:$line: includes $header from another tool's folder (share it through harness/)" >&2
    fi
    status=1
  done < <(awk 'match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]*"/) {
      header = substr($0, RSTART, RLENGTH); sub(/^[^"]*"/, "", header); sub(/"$/, "", header)
      print FNR ":" header }' "$file")
done < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' '*.c' '*.rc' | grep /)
exit $status
