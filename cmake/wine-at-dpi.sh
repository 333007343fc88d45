#!/usr/bin/env bash
# ctest's runner for a Windows test that needs the display at another DPI:
#   wine-at-dpi.sh <dpi> <program.exe> [arguments]
# The test runs in the DPI prefix beside the build's (script/lib/wine-dpi.sh), set to <dpi>, whose
# server is ended afterwards. The program's capture launcher_dpi_<dpi>.bmp beside it, when it
# leaves one, is kept as build/screenshots/launcher-<dpi>dpi.png.
set -euo pipefail
dpi=$1
program=$2
shift 2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../script/lib/wine-session.sh
source "$root/script/lib/wine-session.sh"
# shellcheck source=../script/lib/wine-dpi.sh
source "$root/script/lib/wine-dpi.sh"
wine_session_start  # the X display
wine_dpi_session_start "$dpi"
trap wine_dpi_session_stop EXIT

capture="$(dirname "$program")/launcher_dpi_$dpi.bmp"
rm -f "$capture"
status=0
wine "$program" "$@" || status=$?
if [ -f "$capture" ]; then
  mkdir -p "$root/build/screenshots"
  convert "$capture" "$root/build/screenshots/launcher-${dpi}dpi.png" 2>/dev/null || true
fi
exit $status
