#!/usr/bin/env bash
# ctest's emulator for the Windows target: runs one executable in the build's Wine session,
# starting the session first if this is the first Windows process of the run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../script/lib/wine-session.sh
source "$root/script/lib/wine-session.sh"
wine_session_start
exec wine "$@"
