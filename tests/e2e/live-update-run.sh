#!/usr/bin/env bash
# Runs Live Update scenarios against a real HTTPS server:
#
#   live-update-run.sh SESSION_DIR CMD...
#
# - a test CA and a certificate for www.pagewick.example (made once per Wine session), the CA
#   trusted by the session's prefix only (its registry), nowhere else on the machine;
# - tests/e2e/update_server.py on port 443 of a loopback address chosen for this run (127.x.y.z:
#   every run gets its own, so two runs never fight over the port), serving a fresh folder;
# - CMD (the test program, through wine-session.sh exec) in a mount namespace of its own in
#   which /etc/hosts names that address www.pagewick.example. Everything CMD starts (the
#   program under test) inherits that name resolution; the machine's is left alone.
# PAGEWICK_UPDATE_ROOT tells the scenarios the served folder.
set -u
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
base=$1; shift
# The session of this CTest run (wine-session.sh keys it by its caller, which is CTest here).
if [ "${PAGEWICK_SESSION_PER_PARENT:-0}" = 1 ]; then dir="$base/run-$PPID"; else dir=$base; fi
[ -f "$dir/env" ] || { echo "live-update-run: no Wine session in $dir" >&2; exit 1; }
session() { PAGEWICK_SESSION_PER_PARENT=0 bash "$repo/scripts/wine-session.sh" exec "$dir" "$@"; }

work=$(mktemp -d "$dir/liveupdate.XXXXXX")
srv=
cleanup() {
  if [ -n "$srv" ]; then kill "$srv" 2>/dev/null; wait "$srv" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

ca="$dir/liveupdate-ca"
if [ ! -f "$ca/trusted" ]; then
  rm -rf "$ca"; mkdir -p "$ca"
  (
    cd "$ca" || exit 1
    openssl req -x509 -newkey rsa:2048 -nodes -days 3 -subj "/CN=Pagewick test CA" \
      -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
      -keyout ca.key -out ca.pem || exit 1
    openssl req -newkey rsa:2048 -nodes -subj "/CN=www.pagewick.example" -keyout server.key -out server.csr || exit 1
    printf 'subjectAltName=DNS:www.pagewick.example\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\nkeyUsage=digitalSignature,keyEncipherment\n' >server.ext
    openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 3 -extfile server.ext \
      -out server.pem || exit 1
  ) >"$work/openssl.log" 2>&1 || { cat "$work/openssl.log"; exit 1; }
  der=$(openssl x509 -in "$ca/ca.pem" -outform DER | od -An -v -tx1 | tr -d ' \n')
  sha1=$(openssl x509 -in "$ca/ca.pem" -noout -fingerprint -sha1 | sed 's/.*=//; s/://g' | tr 'a-f' 'A-F')
  len=$(printf '%08x' $(( ${#der} / 2 )))
  blob="2000000001000000${len:6:2}${len:4:2}${len:2:2}${len:0:2}$der"
  session wine reg add "HKCU\\Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\$sha1" \
    /v Blob /t REG_BINARY /d "$blob" /f >"$work/reg.log" 2>&1 || { cat "$work/reg.log"; exit 1; }
  touch "$ca/trusted"
fi

mkdir -p "$work/site"
addresses=()
for _ in $(seq 1 12); do addresses+=("127.$((RANDOM % 200 + 20)).$((RANDOM % 250 + 1)).$((RANDOM % 250 + 2))"); done
python3 "$here/update_server.py" --root "$work/site" --cert "$ca/server.pem" --key "$ca/server.key" \
  --ready "$work/ready" --addresses "${addresses[@]}" >"$work/server.log" 2>&1 </dev/null &
srv=$!
for _ in $(seq 1 200); do
  [ -f "$work/ready" ] && break
  kill -0 "$srv" 2>/dev/null || break
  sleep 0.05
done
[ -f "$work/ready" ] || { echo "live-update-run: the test server did not start"; cat "$work/server.log"; exit 1; }
addr=$(cat "$work/ready")

{ grep -v 'pagewick\.example' /etc/hosts; echo "$addr www.pagewick.example"; } >"$work/hosts"
export PAGEWICK_UPDATE_ROOT="$work/site"
unshare -m --propagation private -- bash -c 'mount --bind "$1" /etc/hosts && shift && exec "$@"' \
  bind "$work/hosts" env PAGEWICK_SESSION_PER_PARENT=0 bash "$repo/scripts/wine-session.sh" exec "$dir" "$@"
