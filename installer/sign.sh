#!/usr/bin/env bash
# Signs one Windows program in place with Authenticode (osslsigncode): SHA-256, the publisher's
# certificate chain, and an RFC 3161 timestamp when an address is configured.
#
#   sign.sh CONFIG DESCRIPTION FILE
#
# CONFIG is the file the build writes (installer/CMakeLists.txt: gen/signing.conf), one
# NAME=value a line:
#   CERT=       a PFX/PKCS#12 file holding certificate chain and key, or a PEM certificate
#               chain when KEY is given
#   KEY=        the PEM private key of a PEM certificate; empty with a PFX
#   TIMESTAMP=  the RFC 3161 timestamp server's address; empty: no timestamp
#   URL=        the address the signature names for the program
#   OSSLSIGNCODE= the signing tool
#   CERT_SHA256=  (not read here: it makes a new certificate in the same file sign everything
#                 again)
# The password of the PFX or of the key comes from the environment (PAGEWICK_SIGN_PASSWORD),
# never from the configuration or the command line: osslsigncode reads it from a pipe.
# When signing fails, FILE is removed, so that the build makes it again instead of shipping
# it unsigned.
set -u
conf=$1 description=$2 file=$3

fail() {
  echo "sign.sh: $*" >&2
  rm -f "$file" "$file.signing"
  exit 1
}

cert= key= timestamp= url= tool=
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    CERT=*) cert=${line#CERT=} ;;
    KEY=*) key=${line#KEY=} ;;
    TIMESTAMP=*) timestamp=${line#TIMESTAMP=} ;;
    URL=*) url=${line#URL=} ;;
    OSSLSIGNCODE=*) tool=${line#OSSLSIGNCODE=} ;;
  esac
done <"$conf" || fail "cannot read $conf"
[ -n "$cert" ] || fail "$conf names no certificate"
[ -n "$tool" ] || tool=osslsigncode
[ -f "$file" ] || fail "no file to sign: $file"

args=(sign -h sha256 -n "$description")
[ -n "$url" ] && args+=(-i "$url")
if [ -n "$key" ]; then
  args+=(-certs "$cert" -key "$key")
else
  args+=(-pkcs12 "$cert")
fi
[ -n "$timestamp" ] && args+=(-ts "$timestamp")

rm -f "$file.signing"
if [ -n "${PAGEWICK_SIGN_PASSWORD+set}" ]; then
  log=$("$tool" "${args[@]}" -readpass <(printf '%s' "$PAGEWICK_SIGN_PASSWORD") \
          -in "$file" -out "$file.signing" 2>&1)
else
  log=$("$tool" "${args[@]}" -in "$file" -out "$file.signing" 2>&1)
fi
rc=$?
if [ $rc -ne 0 ] || [ ! -s "$file.signing" ]; then
  echo "$log" >&2
  [ -n "$timestamp" ] && echo "sign.sh: (the timestamp server was $timestamp)" >&2
  [ -n "${PAGEWICK_SIGN_PASSWORD+set}" ] || echo "sign.sh: (PAGEWICK_SIGN_PASSWORD is not set)" >&2
  fail "signing $file failed"
fi
mv -f "$file.signing" "$file" || fail "cannot replace $file"
echo "signed $(basename "$file") (\"$description\", SHA-256${timestamp:+, timestamp from $timestamp})"
