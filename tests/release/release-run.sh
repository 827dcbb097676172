#!/usr/bin/env bash
# The release path end to end, as a publisher runs it, with keys made for this run only:
#
#   release-run.sh [TREE]        (default: build-release-test beside the sources)
#
# make-test-keys.sh makes a test CA with a code-signing certificate (a PFX with a password) and
# a timestamp authority, which tsa_server.py serves on a loopback port, and a fresh Live Update
# key; scripts/release.sh then builds in TREE, signs pagewick.exe, the uninstaller and the setup
# program with timestamps, writes and signs the configuration file and the winget manifests,
# and runs its checks, with the test CA trusted by the checks only (PAGEWICK_SIGN_CA). The
# installer's scenarios run in the ordinary build tree already; here the checks are the release
# folder's, the manifests' and the signatures', and the program's own reading of the signed
# configuration file (e2e.release.*, e2e.Release.*, e2e.Authenticode.*).
# CTest's log: build-logs/<TREE name without "build-">-ctest.log.
set -u
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
tree=${1:-$repo/build-release-test}
mkdir -p "$tree"
tree=$(realpath "$tree")
keys=$tree/test-keys
rm -rf "$keys"
bash "$here/make-test-keys.sh" "$keys" || { cat "$keys/make-test-keys.log"; exit 1; }
source "$here/tsa.sh"
trap stop_tsa EXIT
start_tsa "$keys" "$tree" || exit 1

PAGEWICK_RELEASE_TREE=$tree \
PAGEWICK_RELEASE_CHECKS='e2e\.(session|release|Release|Authenticode)\.' \
PAGEWICK_RELEASE_KEY=$keys/update-key.pem \
PAGEWICK_SIGN_PFX=$keys/signer.pfx \
PAGEWICK_SIGN_PASSWORD=$(cat "$keys/password") \
PAGEWICK_SIGN_TIMESTAMP_URL=$TSA_URL \
PAGEWICK_SIGN_CA=$keys/ca.pem \
  bash "$repo/scripts/release.sh"
rc=$?
grep -c POST "$tree/tsa.log" | sed 's/^/timestamps served: /'
exit $rc
