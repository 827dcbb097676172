#!/usr/bin/env bash
# Checks the release's code-signing certificate, given in the environment, before anything is
# built, and prints the CMake options that sign with it (one a line, for scripts/release.sh):
#
#   PAGEWICK_SIGN_PFX=publisher.pfx                                 a PFX (PKCS#12) with the key,
#   or PAGEWICK_SIGN_CERT=chain.pem PAGEWICK_SIGN_KEY=key.pem       a PEM certificate chain
#                                                                   (signing certificate first)
#                                                                   and its private key;
#   PAGEWICK_SIGN_PASSWORD        the password of the PFX or of the key, when it has one;
#   PAGEWICK_SIGN_TIMESTAMP_URL   an RFC 3161 timestamp server (http:// or https://);
#   PAGEWICK_SIGN_CA              a root certificate the release's checks trust besides the
#                                 system's (for a test certificate authority).
#
# With none of them the options say "unsigned", and a notice on stderr says so. A certificate
# that cannot sign code (wrong password, key of another certificate, expired, not for code
# signing) ends with exit 1 and the reason, so a release never fails halfway or goes out
# signed with the wrong thing. The password is read by openssl from the environment, never from
# the command line.
set -u
pfx=${PAGEWICK_SIGN_PFX:-} cert=${PAGEWICK_SIGN_CERT:-} key=${PAGEWICK_SIGN_KEY:-}
url=${PAGEWICK_SIGN_TIMESTAMP_URL:-} ca=${PAGEWICK_SIGN_CA:-}
refuse() { echo "release: $*" >&2; exit 1; }

if [ -z "$pfx$cert$key" ]; then
  echo "release: no code-signing certificate (PAGEWICK_SIGN_PFX, or PAGEWICK_SIGN_CERT with PAGEWICK_SIGN_KEY):" >&2
  echo "release: pagewick.exe and the setup program are UNSIGNED; Windows will name no publisher." >&2
  [ -z "$url$ca" ] || echo "release: PAGEWICK_SIGN_TIMESTAMP_URL and PAGEWICK_SIGN_CA have no use without one." >&2
  printf '%s\n' -DPAGEWICK_SIGN_CERT= -DPAGEWICK_SIGN_KEY= -DPAGEWICK_SIGN_TIMESTAMP_URL= -DPAGEWICK_SIGN_CA=
  exit 0
fi
[ -n "$pfx" ] && [ -n "$cert$key" ] && refuse "give PAGEWICK_SIGN_PFX or PAGEWICK_SIGN_CERT with PAGEWICK_SIGN_KEY, not both"
[ -z "$pfx" ] && { [ -n "$cert" ] && [ -n "$key" ] || refuse "PAGEWICK_SIGN_CERT and PAGEWICK_SIGN_KEY go together"; }
for f in "$pfx" "$cert" "$key" "$ca"; do [ -z "$f" ] || [ -r "$f" ] || refuse "cannot read $f"; done
command -v osslsigncode >/dev/null || refuse "osslsigncode is missing (scripts/setup.sh installs it)"
if [ -n "$url" ] && ! [[ "$url" =~ ^https?://[^[:space:]]+$ ]]; then
  refuse "PAGEWICK_SIGN_TIMESTAMP_URL is not an http:// or https:// address: $url"
fi
# openssl takes the password from the environment by the variable's name.
export PAGEWICK_SIGN_PASSWORD=${PAGEWICK_SIGN_PASSWORD-}
pass=(-passin env:PAGEWICK_SIGN_PASSWORD)

if [ -n "$pfx" ]; then
  # PFX files from Windows may use the older ciphers that OpenSSL 3 keeps in its legacy provider.
  leaf= legacy=
  for legacy in "" -legacy; do
    leaf=$(openssl pkcs12 $legacy -in "$pfx" -nokeys -clcerts "${pass[@]}" 2>/dev/null | openssl x509 2>/dev/null) && break
    leaf=
  done
  [ -n "$leaf" ] || refuse "$pfx cannot be opened: not a PFX, or PAGEWICK_SIGN_PASSWORD is not its password"
  key_pub=$(openssl pkcs12 $legacy -in "$pfx" -nocerts -nodes "${pass[@]}" 2>/dev/null | openssl pkey -pubout 2>/dev/null)
  [ -n "$key_pub" ] || refuse "$pfx holds no private key"
  sign_cert=$pfx sign_key=
else
  leaf=$(openssl x509 -in "$cert" 2>/dev/null) || refuse "$cert holds no PEM certificate"
  key_pub=$(openssl pkey -in "$key" "${pass[@]}" -pubout 2>/dev/null) ||
    refuse "$key cannot be read: not a private key, or PAGEWICK_SIGN_PASSWORD is not its password"
  sign_cert=$cert sign_key=$key
fi
[ "$(printf '%s\n' "$leaf" | openssl x509 -noout -pubkey)" = "$key_pub" ] ||
  refuse "the private key is not the key of the signing certificate"
subject=$(printf '%s\n' "$leaf" | openssl x509 -noout -subject -nameopt oneline | sed 's/^subject=//; s/^ *//')
printf '%s\n' "$leaf" | openssl x509 -noout -ext extendedKeyUsage 2>/dev/null | grep -q 'Code Signing' ||
  refuse "$subject is not a code-signing certificate (its extended key usage lacks Code Signing)"
printf '%s\n' "$leaf" | openssl x509 -noout -checkend 0 >/dev/null || refuse "$subject has expired"
until=$(printf '%s\n' "$leaf" | openssl x509 -noout -enddate | sed 's/^notAfter=//')
if ! printf '%s\n' "$leaf" | openssl x509 -noout -checkend $((30 * 86400)) >/dev/null; then
  echo "release: note: $subject expires within 30 days ($until)" >&2
fi
if [ -n "$ca" ]; then
  openssl x509 -in "$ca" -noout 2>/dev/null || refuse "PAGEWICK_SIGN_CA ($ca) holds no PEM certificate"
fi
echo "release: Authenticode signer: $subject (valid until $until)${url:+, timestamps from $url}" >&2
abs() { [ -z "$1" ] || realpath "$1"; }
printf '%s\n' "-DPAGEWICK_SIGN_CERT=$(abs "$sign_cert")" "-DPAGEWICK_SIGN_KEY=$(abs "$sign_key")" \
  "-DPAGEWICK_SIGN_TIMESTAMP_URL=$url" "-DPAGEWICK_SIGN_CA=$(abs "$ca")"
