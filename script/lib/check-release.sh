#!/usr/bin/env bash
# Makes the pack's release and checks it (script/test runs it after the Windows tests):
# - script/release refuses bad input with one line and leaves no release behind;
# - every executable of the 32-bit release verifies against the demo authority, and a file
#   changed by one byte after signing does not;
# - a second release of the same commit, made later from a copy of the sources in another
#   folder, is byte-identical, signatures included (same key, same pinned signing time);
# - the TRELL disc plays from a Wine CD-ROM drive (tests/launcher/disc_e2e_test.cpp) and
#   nothing on the disc changes (script/lib/play-disc.sh).
# Usage: script/lib/check-release.sh <windows|windows64>: the build whose programs run under this
# machine's Wine; the disc played is a release made from it. Prints the time each step took.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
wine_build=${1:?windows or windows64}

work=$root/build/release-check
ca=build/demo-signing/ca.pem
status=0
fail() {
  echo "check-release: $1" >&2
  status=1
}
step_start=$(date +%s)
took() {
  local now
  now=$(date +%s)
  echo "check-release: $1 in $((now - step_start)) s"
  step_start=$now
}

rm -rf "$work"
mkdir -p "$work"
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
unset PACK_SIGN_PKCS12 PACK_SIGN_PASSWORD PACK_SIGN_TIMESTAMP_URL PACK_RELEASE_PRESET
version=$(sed -n 's/^project([a-z_]* VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)

# The tracked sources as they are now, in a folder of another name and depth.
copy=$(mktemp -d /tmp/pack-release-copy.XXXXXX)
trap 'rm -rf "$copy"' EXIT
git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$copy"

echo "==> release: what bad input gets"
# Runs script/release, which must fail with one line naming the problem and leave nothing.
expect_refusal() {
  local problem=$1 release=$2
  shift 2
  local output="$work/refused"
  local message
  if message=$("$@" "$release" --output "$output" 2>&1 >/dev/null); then
    fail "script/release accepted $problem"
  elif [ "$(wc -l <<<"$message")" -ne 1 ]; then
    fail "$problem: more than one line: $message"
  elif [ -e "$output" ] || compgen -G "$work/.release.*" >/dev/null; then
    fail "$problem: a release was left behind"
  else
    echo "  $problem: $message"
  fi
}
printf 'not a certificate' >"$work/garbage.p12"
(source script/lib/release-signing.sh && make_demo_signing)
sed -i 's/^\(project([a-z_]* VERSION \)[^ )]*/\11.0.0.1/' "$copy/CMakeLists.txt"
expect_refusal "a four-part version" "$copy/script/release" env
cp CMakeLists.txt "$copy/CMakeLists.txt"
expect_refusal "a missing certificate" script/release env PACK_SIGN_PKCS12="$work/none.p12"
expect_refusal "a wrong password" script/release \
  env PACK_SIGN_PKCS12=build/demo-signing/signer.p12 PACK_SIGN_PASSWORD=wrong
expect_refusal "an unreadable key" script/release env PACK_SIGN_PKCS12="$work/garbage.p12"
# A signature that cannot be made (a timestamp server that does not answer) fails and leaves
# the file unsigned, as it was.
cp build/"$wine_build"/packreg.exe "$work/unsigned.exe"
cp "$work/unsigned.exe" "$work/before.exe"
if PACK_SIGN_PKCS12=$root/build/demo-signing/signer.p12 PACK_SIGN_PASSWORD=demo \
  PACK_SIGN_TIMESTAMP_URL=http://127.0.0.1:9 script/lib/sign-file.sh "$work/unsigned.exe" \
  2>"$work/sign-failure.txt"; then
  fail "signing with an unreachable timestamp server succeeded"
elif ! cmp -s "$work/unsigned.exe" "$work/before.exe"; then
  fail "a failed signature changed the file"
else
  echo "  an unreachable timestamp server: $(cat "$work/sign-failure.txt")"
fi
took "the refusals"

echo "==> release: the 32-bit release"
script/release --output "$work/a" || { echo "check-release: script/release failed" >&2; exit 1; }
took "the 32-bit release (four editions, clean build)"

echo "==> release: signatures"
signed=0
for exe in "$work"/a/*/*.exe; do
  if osslsigncode verify -CAfile "$ca" -in "$exe" >"$work/verify.txt" 2>&1 &&
    grep -q '^Signature verification: ok' "$work/verify.txt"; then
    signed=$((signed + 1))
  else
    fail "${exe#"$work"/a/}: signature does not verify: $(tail -n 3 "$work/verify.txt" | tr '\n' ' ')"
  fi
done
echo "  $signed executables verify against $ca:"
grep -E '^\s*(Message digest algorithm|Signature verification|Signing time|Subject)' \
  "$work/verify.txt" | sort -u | sed 's/^/    /'
tampered="$work/tampered-setup.exe"
cp "$work/a/delvarin-pack-trell-$version/setup.exe" "$tampered"
# One byte of the code (the first section starts at the file alignment, 4 KiB).
python3 - "$tampered" <<'EOF'
import sys
with open(sys.argv[1], "r+b") as f:
    f.seek(0x1100)
    byte = f.read(1)[0]
    f.seek(0x1100)
    f.write(bytes([byte ^ 1]))
EOF
if osslsigncode verify -CAfile "$ca" -in "$tampered" >"$work/verify-tampered.txt" 2>&1; then
  fail "setup.exe changed by one byte still verifies"
else
  echo "  setup.exe with one byte changed after signing fails:"
  grep -E 'message digest|MISMATCH|Failed' "$work/verify-tampered.txt" | sed 's/^/    /'
fi
took "the signatures"

echo "==> release: the same commit again, elsewhere and later"
PACK_SIGN_PKCS12=$root/build/demo-signing/signer.p12 PACK_SIGN_PASSWORD=demo \
  "$copy/script/release" --output "$work/b" >/dev/null ||
  { echo "check-release: the second release failed" >&2; exit 1; }
if diff -r "$work/a" "$work/b" >"$work/differences.txt"; then
  echo "  byte-identical: $(find "$work/a" -type f | wc -l) files"
else
  fail "two releases of one commit differ:"
  cat "$work/differences.txt" >&2
fi
took "the second release and the comparison"

echo "==> release: played from a CD-ROM drive"
if [ "$wine_build" = windows ]; then
  disc_release="$work/a"
else
  PACK_RELEASE_PRESET=windows64 script/release --edition trell --output "$work/disc64" >/dev/null ||
    { echo "check-release: the windows64 release failed" >&2; exit 1; }
  disc_release="$work/disc64"
  took "the windows64 release of the TRELL edition"
fi
script/lib/play-disc.sh "$disc_release/delvarin-pack-trell-$version.iso" \
  "$disc_release/delvarin-pack-trell-$version" "$wine_build" "$work/disc-play" || status=1
if osslsigncode verify -CAfile "$ca" -in "$work/disc-play/installed-title.exe" >"$work/verify-title.txt" 2>&1; then
  echo "  the title that the disc's installer wrote is signed and verifies"
else
  fail "the installed title's signature does not verify: $(tail -n 2 "$work/verify-title.txt")"
fi
took "the play from the disc"
exit $status
