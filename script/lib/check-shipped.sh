#!/usr/bin/env bash
# Checks every shipped executable of a Windows build: its import table names only DLLs that the
# system loads from its own folder whatever lies beside the program (its known DLLs, and comctl32
# through the manifest's side-by-side dependency), and its embedded manifest asks for the
# invoker's rights, common controls 6, DPI awareness and long paths.
# Usage: script/lib/check-shipped.sh <windows build folder>. The build lists its shipped programs
# (shipped_programs.txt, from pack_add_windows_program): those with the launcher's manifest, and
# console or plain programs with no manifest of their own, whose imports only are checked. A listed
# program that is missing fails the check.
set -euo pipefail
build=${1:?windows build folder}

list="$build/shipped_programs.txt"
[ -f "$list" ] || { echo "check-shipped: $list missing (configure the build first)" >&2; exit 1; }
shipped=()
imports_only=()
while read -r kind path; do
  [ -n "$path" ] || continue
  case "$kind" in
    manifest) shipped+=("$path") ;;
    plain) imports_only+=("$path") ;;
    *) echo "check-shipped: $list: unknown kind '$kind'" >&2; exit 1 ;;
  esac
done <"$list"
((${#shipped[@]})) || { echo "check-shipped: $list names no launcher" >&2; exit 1; }

# Known DLLs from Windows 7 on.
known_dlls="advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz
  nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32"

objdump=i686-w64-mingw32-objdump
objcopy=i686-w64-mingw32-objcopy

status=0
fail() {
  echo "check-shipped: $1: $2" >&2
  status=1
}

# The manifest as stored in the resource section (UTF-8 text).
manifest_of() {
  local rsrc
  rsrc=$(mktemp)
  "$objcopy" -O binary --only-section=.rsrc "$1" "$rsrc"
  python3 -c '
import re, sys
data = open(sys.argv[1], "rb").read()
found = re.search(rb"<assembly\b.*?</assembly>", data, re.S)
sys.stdout.write(found.group(0).decode("utf-8") if found else "")
' "$rsrc"
  rm -f "$rsrc"
}

for path in "${shipped[@]}" "${imports_only[@]}"; do
  exe=${path#"$(realpath "$build")/"}
  if [ ! -f "$path" ]; then
    fail "$exe" "not built"
    continue
  fi
  manifest=$(manifest_of "$path")
  if [[ " ${imports_only[*]} " == *" $path "* ]]; then
    for dll in $("$objdump" -p "$path" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
      grep -qw "${dll%.dll}" <<<"$known_dlls" ||
        fail "$exe" "imports $dll, which the system would look for beside the program"
    done
    continue
  fi
  [ -n "$manifest" ] || fail "$exe" "no embedded manifest"
  grep -q 'requestedExecutionLevel level="asInvoker"' <<<"$manifest" ||
    fail "$exe" "manifest does not ask for the invoker's rights"
  grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$manifest" ||
    fail "$exe" "manifest does not ask for common controls 6"
  grep -Eq '<dpiAware(ness)?[ >]' <<<"$manifest" || fail "$exe" "manifest declares no DPI awareness"
  grep -Eq '<longPathAware[^>]*>true</longPathAware>' <<<"$manifest" ||
    fail "$exe" "manifest is not long-path aware"

  for dll in $("$objdump" -p "$path" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    name=${dll%.dll}
    if [ "$name" = comctl32 ]; then
      grep -q 'Microsoft.Windows.Common-Controls' <<<"$manifest" ||
        fail "$exe" "imports comctl32 without the manifest's dependency"
    elif ! grep -qw "$name" <<<"$known_dlls"; then
      fail "$exe" "imports $dll, which the system would look for beside the program"
    fi
  done
done
[ $status = 0 ] && echo "check-shipped: $((${#shipped[@]} + ${#imports_only[@]})) executable(s) import only known DLLs; ${#shipped[@]} carry the manifest"
exit $status
