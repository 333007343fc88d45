#!/usr/bin/env bash
# Plays a release's TRELL disc under Wine from a CD-ROM drive of its own letter: extracts the
# image into <work>/disc, which a free drive letter of the prefix points at with the drive type
# cdrom, once at its root and once below a folder whose name has blanks and Japanese characters,
# and runs tests/launcher/disc_e2e_test.cpp there. Fails when the play fails or when anything on
# the disc changed (a listing of names, sizes, times and hashes before and after; the run is as
# root, so read-only permissions would prove nothing). The title the disc's installer wrote is
# left as <work>/installed-title.exe. The prefix's drives are as before afterwards.
# Usage: script/lib/play-disc.sh <disc image> <the pack folder it holds> <windows|windows64> <work>
set -euo pipefail
cd "$(dirname "$0")/../.."
iso=${1:?disc image}
pack=${2:?pack folder}
wine_build=${3:?windows or windows64}
work=$(mkdir -p "${4:?work folder}" && cd "$4" && pwd)

status=0
fail() {
  echo "play-disc: $1" >&2
  status=1
}

label=$(xorriso -indev "$iso" -pvd_info 2>/dev/null | sed -n 's/^Volume Id *: *//p')
[ "$label" = DELVARIN_TRELL ] || fail "the disc's volume label is '$label', not DELVARIN_TRELL"
disc="$work/disc"
subfolder="体験版 パック 1"
rm -rf "$disc"
mkdir -p "$disc"
xorriso -osirrox on -indev "$iso" -extract / "$disc" 2>/dev/null
xorriso -osirrox on -indev "$iso" -extract / "$disc/$subfolder" 2>/dev/null
diff -r "$pack" "$disc/$subfolder" >/dev/null || fail "the disc image does not hold $pack"
listing() (
  cd "$disc"
  find . -printf '%p %s %T@\n' | sort
  find . -type f -print0 | sort -z | xargs -0 sha256sum
)
listing >"$work/disc-before.txt"

source script/lib/wine-session.sh
letter=
for candidate in r s t u v w x y; do
  [ -e "$WINEPREFIX/dosdevices/$candidate:" ] || { letter=$candidate; break; }
done
[ -n "$letter" ] || { echo "play-disc: no free drive letter from R: to Y:" >&2; exit 1; }
drives='HKLM\Software\Wine\Drives'
# Wine's mount manager reads the drive types when its server starts.
restart_wine() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  rm -f "$pack_state/wineserver.pid"
  wine_session_start
}
restore_drive() {
  rm -f "$WINEPREFIX/dosdevices/$letter:"
  wine reg delete "$drives" /v "$letter:" /f </dev/null >/dev/null 2>&1 || true
  restart_wine
}
wine_session_start
trap restore_drive EXIT
ln -s "$disc" "$WINEPREFIX/dosdevices/$letter:"
wine reg add "$drives" /v "$letter:" /t REG_SZ /d cdrom /f </dev/null >/dev/null 2>&1
restart_wine

drive=${letter^^}:
echo "play-disc: the disc on drive $drive (type cdrom), and again in $drive\\$subfolder"
rm -f "$work/installed-title.exe"
if ! PACK_DISC_FOLDERS="$drive|$drive\\$subfolder" \
  PACK_DISC_INSTALLED_COPY="Z:${work//\//\\}\\installed-title.exe" \
  timeout 900 wine "build/$wine_build/tests/pack_disc_e2e_tests.exe" </dev/null; then
  fail "the play from the disc failed"
fi
listing >"$work/disc-after.txt"
if diff "$work/disc-before.txt" "$work/disc-after.txt" >&2; then
  echo "play-disc: nothing on the disc changed ($(find "$disc" | wc -l) entries: names, sizes, times, hashes)"
else
  fail "the play changed the disc's folder"
fi
exit $status
