# Sourced by script/release: checks the publisher's certificate named by PACK_SIGN_PKCS12 and
# PACK_SIGN_PASSWORD, or makes a throwaway demo certificate authority and code-signing
# certificate into build/demo-signing/ (made once, never committed) and signs with that.
# Sets and exports what script/lib/sign-file.sh reads; release_signed_by says who signs.

demo_signing_dir=build/demo-signing

# The demo authority and its code-signing certificate. Both start in 2000, so that a signing time
# taken from an old commit still lies within them.
make_demo_signing() {
  local dir=$demo_signing_dir
  [ -f "$dir/signer.p12" ] && return 0
  mkdir -p "$dir"
  local tmp
  tmp=$(mktemp -d "$dir/.making.XXXXXX")
  cat >"$tmp/ca.cnf" <<'CNF'
[ca]
default_ca = demo
[demo]
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = anything
copy_extensions = none
[anything]
commonName = supplied
[authority]
basicConstraints = critical, CA:true
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[signer]
basicConstraints = critical, CA:false
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
CNF
  (
    cd "$tmp"
    : >index.txt
    echo 01 >serial
    openssl req -new -newkey rsa:2048 -nodes -keyout ca.key -subj "/CN=Delvarin Demo Signing CA" \
      -out ca.csr
    openssl ca -batch -config ca.cnf -selfsign -keyfile ca.key -in ca.csr -out ca.pem \
      -startdate 20000101000000Z -enddate 20991231235959Z -extensions authority -notext
    openssl req -new -newkey rsa:2048 -nodes -keyout signer.key -subj "/CN=Delvarin Demo Publisher" \
      -out signer.csr
    openssl ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -in signer.csr -out signer.pem \
      -startdate 20000101000000Z -enddate 20991231235959Z -extensions signer -notext
    openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -passout pass:demo \
      -out signer.p12
  ) >"$tmp/openssl.log" 2>&1 || {
    echo "release: openssl could not make the demo certificates (see $tmp/openssl.log)" >&2
    return 1
  }
  mv "$tmp/ca.pem" "$tmp/signer.p12" "$dir/"
  rm -rf "$tmp"
}

# Whether the PKCS#12 file opens with the password and holds a private key.
check_pkcs12() {
  local file=$1 keys
  if ! keys=$(printf '%s' "$PACK_SIGN_PASSWORD" |
    openssl pkcs12 -in "$file" -passin stdin -nocerts -nodes 2>&1) &&
    ! keys=$(printf '%s' "$PACK_SIGN_PASSWORD" |
      openssl pkcs12 -legacy -in "$file" -passin stdin -nocerts -nodes 2>&1); then
    if grep -qi 'mac verify\|invalid password' <<<"$keys"; then
      echo "release: wrong password for $file (PACK_SIGN_PASSWORD)" >&2
    else
      echo "release: $file is not a readable PKCS#12 file" >&2
    fi
    return 1
  fi
  grep -q 'PRIVATE KEY' <<<"$keys" || {
    echo "release: $file holds no private key" >&2
    return 1
  }
}

release_signing_prepare() {
  if [ -n "${PACK_SIGN_PKCS12:-}" ]; then
    [ -f "$PACK_SIGN_PKCS12" ] || {
      echo "release: the certificate file $PACK_SIGN_PKCS12 (PACK_SIGN_PKCS12) does not exist" >&2
      return 1
    }
    [ -r "$PACK_SIGN_PKCS12" ] || {
      echo "release: cannot read the certificate file $PACK_SIGN_PKCS12" >&2
      return 1
    }
    PACK_SIGN_PASSWORD=${PACK_SIGN_PASSWORD:-}
    check_pkcs12 "$PACK_SIGN_PKCS12" || return 1
    PACK_SIGN_PKCS12=$(cd "$(dirname "$PACK_SIGN_PKCS12")" && pwd)/$(basename "$PACK_SIGN_PKCS12")
    release_signed_by="signed with $PACK_SIGN_PKCS12"
  else
    make_demo_signing || return 1
    PACK_SIGN_PKCS12=$PWD/$demo_signing_dir/signer.p12
    PACK_SIGN_PASSWORD=demo
    unset PACK_SIGN_TIMESTAMP_URL
    release_signed_by="signed with the throwaway demo certificate of $demo_signing_dir, not a publisher's"
    echo "release: no PACK_SIGN_PKCS12: $release_signed_by"
  fi
  export PACK_SIGN_PKCS12 PACK_SIGN_PASSWORD PACK_SIGN_TIMESTAMP_URL
}
