#!/usr/bin/env bash
# ctest's runner for a Windows test that needs the display at another DPI:
#   wine-at-dpi.sh <dpi> <program.exe> [arguments]
# Wine takes its DPI from the prefix, read when its server starts, so these tests run in a prefix
# of their own beside the build's (created once): its DPI is set and its server restarted before
# each run, and ended afterwards, while the build's own session goes on untouched. The program's
# capture launcher_dpi_<dpi>.bmp, when it leaves one, is kept as build/screenshots/launcher-<dpi>dpi.png.
set -euo pipefail
dpi=$1
program=$2
shift 2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../script/lib/wine-session.sh
source "$root/script/lib/wine-session.sh"
wine_session_start  # the X display
export WINEPREFIX="$WINEPREFIX-dpi"
quiet() { "$@" </dev/null >/dev/null 2>&1; }

if [ ! -f "$WINEPREFIX/.pack-prefix-ready" ]; then
  mkdir -p "$WINEPREFIX"
  quiet wineboot -i
  fonts='HKCU\Software\Wine\Fonts\Replacements'
  for font in "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2"; do
    quiet wine reg add "$fonts" /v "$font" /d IPAGothic /f
  done
  cp -f /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$WINEPREFIX/.pack-prefix-ready"
fi

for key in 'HKCU\Control Panel\Desktop' \
  'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  quiet wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f
done
quiet wineserver -k || true
quiet wineserver -w || true
trap 'quiet wineserver -k || true' EXIT
# As in the build's session: a persistent server, and the services started with their output
# away from ctest's pipe.
quiet wineserver -p || true
quiet wine wineboot || true

status=0
wine "$program" "$@" || status=$?
capture="$(dirname "$program")/launcher_dpi_$dpi.bmp"
if [ -f "$capture" ]; then
  mkdir -p "$root/build/screenshots"
  convert "$capture" "$root/build/screenshots/launcher-${dpi}dpi.png" 2>/dev/null || true
fi
exit $status
