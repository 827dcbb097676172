#!/usr/bin/env bash
# The release's signing steps with certificates made for this run (no Wine needed):
# installer/signing-options.sh, which checks the publisher's certificate before a release
# builds, and installer/sign.sh, which signs a program at build time.
#
#   signing-test.sh PROGRAM.exe WORK_DIR
#
# PROGRAM.exe is any unsigned Windows program (a copy is signed); WORK_DIR is made afresh.
set -u
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
program=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
keys=$work/keys
bash "$here/make-test-keys.sh" "$keys" || { cat "$keys/make-test-keys.log"; exit 1; }
source "$here/tsa.sh"
trap stop_tsa EXIT
password=$(cat "$keys/password")
fails=0
ok() { echo "ok: $1"; }
bad() { echo "FAIL: $1"; fails=$((fails + 1)); }

# ---- signing-options.sh: env NAME=value... -- expected exit code, text expected in its output
options() {
  local expect=$1 want=$2; shift 2
  local out rc
  out=$(env -u PAGEWICK_SIGN_PFX -u PAGEWICK_SIGN_CERT -u PAGEWICK_SIGN_KEY -u PAGEWICK_SIGN_PASSWORD \
          -u PAGEWICK_SIGN_TIMESTAMP_URL -u PAGEWICK_SIGN_CA "$@" bash "$repo/installer/signing-options.sh" 2>&1)
  rc=$?
  local shown=${*//$password/<password>}
  if [ "$rc" -eq "$expect" ] && [[ "$out" == *"$want"* ]]; then ok "options $shown: exit $rc, \"$want\""
  else bad "options $shown: exit $rc (expected $expect), output without \"$want\":"$'\n'"$out"; fi
  OPTIONS_OUT=$out
}
options 0 "UNSIGNED"
[[ "$OPTIONS_OUT" == *"-DPAGEWICK_SIGN_CERT="$'\n'* ]] && ok "unsigned: the certificate option is cleared" ||
  bad "unsigned: the certificate option is not cleared: $OPTIONS_OUT"
options 0 "Pagewick test publisher" PAGEWICK_SIGN_PFX="$keys/signer.pfx" PAGEWICK_SIGN_PASSWORD="$password" \
  PAGEWICK_SIGN_TIMESTAMP_URL=http://127.0.0.1:9/ PAGEWICK_SIGN_CA="$keys/ca.pem"
[[ "$OPTIONS_OUT" == *"-DPAGEWICK_SIGN_CERT=$keys/signer.pfx"* && "$OPTIONS_OUT" == *"-DPAGEWICK_SIGN_KEY="$'\n'* &&
   "$OPTIONS_OUT" == *"-DPAGEWICK_SIGN_CA=$keys/ca.pem"* && "$OPTIONS_OUT" == *"TIMESTAMP_URL=http://127.0.0.1:9/"* ]] &&
  ok "PFX: the options name it, no key, the CA and the timestamp server" || bad "PFX options: $OPTIONS_OUT"
[[ "$OPTIONS_OUT" != *"$password"* ]] && ok "the password appears in no option" || bad "the password is in the options"
options 1 "not its password" PAGEWICK_SIGN_PFX="$keys/signer.pfx" PAGEWICK_SIGN_PASSWORD=wrong
options 1 "not its password" PAGEWICK_SIGN_PFX="$keys/signer.pfx"
options 0 "Pagewick test publisher" PAGEWICK_SIGN_CERT="$keys/signer-chain.pem" PAGEWICK_SIGN_KEY="$keys/signer.key" \
  PAGEWICK_SIGN_PASSWORD="$password"
options 1 "not its password" PAGEWICK_SIGN_CERT="$keys/signer-chain.pem" PAGEWICK_SIGN_KEY="$keys/signer.key" \
  PAGEWICK_SIGN_PASSWORD=wrong
options 1 "not the key of the signing certificate" PAGEWICK_SIGN_CERT="$keys/signer-chain.pem" \
  PAGEWICK_SIGN_KEY="$keys/server.key"
options 1 "not a code-signing certificate" PAGEWICK_SIGN_CERT="$keys/server.pem" PAGEWICK_SIGN_KEY="$keys/server.key"
options 1 "has expired" PAGEWICK_SIGN_CERT="$keys/expired.pem" PAGEWICK_SIGN_KEY="$keys/expired.key"
options 1 "not both" PAGEWICK_SIGN_PFX="$keys/signer.pfx" PAGEWICK_SIGN_CERT="$keys/signer-chain.pem" \
  PAGEWICK_SIGN_KEY="$keys/signer.key"
options 1 "go together" PAGEWICK_SIGN_CERT="$keys/signer-chain.pem"
options 1 "cannot read" PAGEWICK_SIGN_PFX="$keys/missing.pfx"
options 1 "not an http:// or https:// address" PAGEWICK_SIGN_PFX="$keys/signer.pfx" PAGEWICK_SIGN_PASSWORD="$password" \
  PAGEWICK_SIGN_TIMESTAMP_URL=ftp://timestamps.example/

# ---- sign.sh: signs a copy of the program; verified by osslsigncode against the test CA
start_tsa "$keys" "$work" || exit 1
# conf NAME CERT KEY TIMESTAMP: the configuration sign.sh reads, as the build writes it
conf() {
  printf 'CERT=%s\nKEY=%s\nTIMESTAMP=%s\nURL=https://www.pagewick.example/\nOSSLSIGNCODE=osslsigncode\n' \
    "$2" "$3" "$4" >"$work/$1.conf"
}
verify() { osslsigncode verify -CAfile "$keys/ca.pem" -TSA-CAfile "$keys/ca.pem" -in "$1" 2>&1; }

conf pfx "$keys/signer.pfx" "" "$TSA_URL"
cp "$program" "$work/pfx.exe"
if PAGEWICK_SIGN_PASSWORD=$password bash "$repo/installer/sign.sh" "$work/pfx.conf" Pagewick "$work/pfx.exe" >"$work/pfx.log" 2>&1; then
  out=$(verify "$work/pfx.exe")
  [[ "$out" == *"Signature verification: ok"* && "$out" == *"Timestamp Server Signature verification: ok"* ]] &&
    ok "PFX with a timestamp: signed and timestamped" || bad "PFX with a timestamp:"$'\n'"$out"
  [[ "$out" == *"Message digest algorithm  : SHA256"* ]] && ok "the digest is SHA-256" || bad "digest:"$'\n'"$out"
  grep -q 'POST' "$work/tsa.log" && ok "the timestamp came from the given server" || bad "the timestamp server saw no request"
else
  bad "PFX with a timestamp: sign.sh failed:"$'\n'"$(cat "$work/pfx.log")"
fi

conf pem "$keys/signer-chain.pem" "$keys/signer.key" ""
cp "$program" "$work/pem.exe"
if PAGEWICK_SIGN_PASSWORD=$password bash "$repo/installer/sign.sh" "$work/pem.conf" Pagewick "$work/pem.exe" >"$work/pem.log" 2>&1; then
  out=$(verify "$work/pem.exe")
  [[ "$out" == *"Signature verification: ok"* && "$out" != *"Timestamp Server Signature"* ]] &&
    ok "PEM chain with an encrypted key: signed, no timestamp" || bad "PEM chain:"$'\n'"$out"
else
  bad "PEM chain: sign.sh failed:"$'\n'"$(cat "$work/pem.log")"
fi

cp "$program" "$work/wrong.exe"
if PAGEWICK_SIGN_PASSWORD=wrong bash "$repo/installer/sign.sh" "$work/pfx.conf" Pagewick "$work/wrong.exe" >"$work/wrong.log" 2>&1; then
  bad "a wrong password signed"
elif [ -e "$work/wrong.exe" ] || [ -e "$work/wrong.exe.signing" ]; then
  bad "a failed signing leaves the unsigned file for the next build to take as done"
else
  ok "a wrong password fails and removes the file, so the build makes it again"
fi

stop_tsa
conf gone "$keys/signer.pfx" "" "$TSA_URL"
cp "$program" "$work/gone.exe"
if PAGEWICK_SIGN_PASSWORD=$password bash "$repo/installer/sign.sh" "$work/gone.conf" Pagewick "$work/gone.exe" >"$work/gone.log" 2>&1 ||
   [ -e "$work/gone.exe" ]; then
  bad "signing went on without the timestamp server it was given"
else
  ok "a timestamp server that does not answer fails the signing"
fi

[ $fails -eq 0 ] && echo "signing: all checks passed" || echo "signing: $fails checks failed"
exit $((fails > 0))
