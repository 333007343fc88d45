#!/usr/bin/env bash
# ctest's emulator for the Windows targets: runs one executable in the build's Wine session of the
# given kind (win32 or win64), starting the session first if this is its first Windows process.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export PACK_WINE_ARCH="$1"
shift
# shellcheck source=../script/lib/wine-session.sh
source "$root/script/lib/wine-session.sh"
wine_session_start
exec wine "$@"
