#!/usr/bin/env bash
# Signs one Windows executable in place with an Authenticode SHA-256 signature.
# Usage: script/lib/sign-file.sh <file>
# The certificate and key: PACK_SIGN_PKCS12 (a PKCS#12 file) and PACK_SIGN_PASSWORD; with
# PACK_SIGN_TIMESTAMP_URL the signature is also timestamped by that RFC 3161 server. Without a
# timestamp the signing time is SOURCE_DATE_EPOCH, so that the same key signs the same bytes
# the same way. Any failure leaves the file as it was and exits non-zero with one line.
set -euo pipefail
file=${1:?file to sign}
fail() { echo "sign: $file: $1" >&2; exit 1; }
[ -n "${PACK_SIGN_PKCS12:-}" ] || fail "PACK_SIGN_PKCS12 is not set"
[ -r "$PACK_SIGN_PKCS12" ] || fail "cannot read the certificate file $PACK_SIGN_PKCS12"

options=(-pkcs12 "$PACK_SIGN_PKCS12" -h sha256 -n "Delvarin Demo Pack")
if [ -n "${PACK_SIGN_TIMESTAMP_URL:-}" ]; then
  options+=(-ts "$PACK_SIGN_TIMESTAMP_URL")
else
  options+=(-time "${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH is not set}")
fi

signed="$file.signing"
trap 'rm -f "$signed"' EXIT
# The password goes through a pipe, never on a command line that others can read.
if ! log=$(printf '%s' "${PACK_SIGN_PASSWORD:-}" |
  osslsigncode sign "${options[@]}" -readpass /dev/stdin -in "$file" -out "$signed" 2>&1); then
  reason=$(grep -m1 -iE 'password|mac verify|pkcs12|key|certificate|error' <<<"$log" || true)
  fail "osslsigncode could not sign${reason:+: $reason}"
fi
mv "$signed" "$file"
