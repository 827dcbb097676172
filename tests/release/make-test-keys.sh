#!/usr/bin/env bash
# Makes a throw-away set of release keys for one test run in DIR (nothing of it is kept in the
# repository; every run makes its own):
#
#   make-test-keys.sh DIR
#
#   ca.pem, ca.key          a test certificate authority ("Pagewick test CA")
#   signer.pfx              a code-signing certificate of that CA with its key and the CA,
#                           protected by the password in `password`
#   signer.pem, signer.key  the same certificate as a PEM chain, and its key encrypted with
#                           that password
#   tsa.pem, tsa.key        the CA's timestamp authority (tests/release/tsa_server.py)
#   server.pem, server.key  a certificate of the CA for web servers only (not for code)
#   expired.pem, expired.key  a code-signing certificate of the CA that has expired
#   update-key.pem          an ECDSA P-256 key for the Live Update configuration
set -eu
dir=$1
mkdir -p "$dir"
cd "$dir"
umask 077
log=make-test-keys.log
: >"$log"
ssl() { openssl "$@" >>"$log" 2>&1; }
openssl rand -hex 12 >password

ssl req -x509 -newkey rsa:2048 -nodes -days 60 -subj "/CN=Pagewick test CA/O=Pagewick test" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
  -keyout ca.key -out ca.pem
# A certificate of the CA: leaf NAME "SUBJECT" EXTENSIONS [DAYS]
leaf() {
  ssl req -newkey rsa:2048 -nodes -subj "$2" -keyout "$1.key" -out "$1.csr"
  printf '%b' "$3" >"$1.ext"
  ssl x509 -req -in "$1.csr" -CA ca.pem -CAkey ca.key -CAcreateserial -days "${4:-60}" -extfile "$1.ext" -out "$1.pem"
  rm -f "$1.csr" "$1.ext"
}
leaf signer "/CN=Pagewick test publisher/O=Pagewick developers" \
  'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n'
leaf tsa "/CN=Pagewick test timestamps/O=Pagewick test" \
  'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=critical,timeStamping\n'
leaf server "/CN=www.pagewick.example" \
  'basicConstraints=CA:FALSE\nkeyUsage=digitalSignature,keyEncipherment\nextendedKeyUsage=serverAuth\n'
# Valid for a day from a week ago: a certificate that ran out (only `openssl ca` takes dates).
ssl req -newkey rsa:2048 -nodes -subj "/CN=Pagewick expired publisher" -keyout expired.key -out expired.csr
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >expired.ext
: >expired.index
echo 1000 >expired.serial
printf '%s\n' '[ca]' 'default_ca = test' '[test]' 'database = expired.index' 'new_certs_dir = .' \
  'serial = expired.serial' 'default_md = sha256' 'policy = any' '[any]' 'commonName = supplied' >expired.cnf
ssl ca -batch -notext -config expired.cnf -keyfile ca.key -cert ca.pem -in expired.csr -out expired.pem \
  -startdate "$(date -u -d '-8 days' +%Y%m%d%H%M%SZ)" -enddate "$(date -u -d '-7 days' +%Y%m%d%H%M%SZ)" \
  -extfile expired.ext
rm -f expired.csr expired.ext expired.cnf expired.index* expired.serial* 1000.pem
# The chain as osslsigncode takes it: signing certificate first, then the CA.
cat signer.pem ca.pem >signer-chain.pem
ssl pkcs12 -export -in signer.pem -inkey signer.key -certfile ca.pem -name "Pagewick test publisher" \
  -passout file:password -out signer.pfx
ssl pkey -in signer.key -aes256 -passout file:password -out signer-encrypted.key
mv signer-encrypted.key signer.key
ssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out update-key.pem
