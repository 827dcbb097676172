#!/usr/bin/env bash
# Makes a release: builds pagewick.exe and its setup program, signs both (and the uninstaller
# setup writes) with the publisher's code-signing certificate when one is given, writes the Live
# Update configuration file for the setup program signed with the publisher's key and the winget
# manifests beside it, checks all of it and runs the installer's end-to-end tests under Wine.
#
#   PAGEWICK_RELEASE_KEY=/path/to/publisher-key.pem \
#   PAGEWICK_SIGN_PFX=/path/to/publisher.pfx PAGEWICK_SIGN_PASSWORD=... \
#   PAGEWICK_SIGN_TIMESTAMP_URL=http://timestamp.example/ bash scripts/release.sh [FOLDER]
#
# PAGEWICK_RELEASE_KEY is the publisher's ECDSA P-256 private key (PEM); it never goes near the
# download server. The program is built carrying its public half, so it trusts configuration
# files signed with that key only. The test key in tests/keys is refused.
# Authenticode (installer/signing-options.sh has the details): PAGEWICK_SIGN_PFX, or
# PAGEWICK_SIGN_CERT (PEM chain) with PAGEWICK_SIGN_KEY; PAGEWICK_SIGN_PASSWORD when the PFX or
# key has one; PAGEWICK_SIGN_TIMESTAMP_URL, an RFC 3161 timestamp server. Without a certificate
# the release says it is unsigned and goes on.
# What to put on the download server (https://www.pagewick.example/software/pagewick/) as it
# is ends up in build-release/release/: pagewick-setup-<version>.exe and pagewick.txt; beside
# them the winget manifests (Pagewick.Pagewick*.yaml) for the winget community repository.
# With a folder as argument, all of them are also copied there.
#
# For the test suite (tests/release/release-run.sh): PAGEWICK_RELEASE_TREE names another build
# tree than build-release, PAGEWICK_RELEASE_CHECKS another selection of the checks (a CTest -R
# pattern), PAGEWICK_SIGN_CA a test root the checks trust.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-}
tree=${PAGEWICK_RELEASE_TREE:-build-release}
checks=${PAGEWICK_RELEASE_CHECKS:-'^e2e\.(session\.|release\.|Release$|Installer$|Authenticode\.)'}
logs=$root/build-logs
name=${tree##*/}
name=${name#build-}

key=${PAGEWICK_RELEASE_KEY:-}
[ -n "$key" ] || { echo "PAGEWICK_RELEASE_KEY must name the publisher's private key (PEM)"; exit 1; }
[ -r "$key" ] || { echo "cannot read PAGEWICK_RELEASE_KEY: $key"; exit 1; }
mkdir -p "$logs" "$tree"
pub=$(realpath "$tree")/update-public-key.pem
if ! openssl pkey -in "$key" -pubout -out "$pub" 2>/dev/null ||
   ! openssl pkey -pubin -in "$pub" -text -noout 2>/dev/null | grep -q 'prime256v1\|P-256'; then
  echo "PAGEWICK_RELEASE_KEY is not an ECDSA P-256 private key: $key"; exit 1
fi
test_pub=$(openssl pkey -in tests/keys/update-test-key.pem -pubout 2>/dev/null)
if [ "$(cat "$pub")" = "$test_pub" ]; then
  echo "PAGEWICK_RELEASE_KEY is the test key (tests/keys): a release is signed with the publisher's own key"
  exit 1
fi

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
# The code-signing certificate is checked before anything is built.
signing_options=$(bash installer/signing-options.sh) || { echo "release: stopped before building"; exit 1; }
mapfile -t signing <<<"$signing_options"
[ -n "${PAGEWICK_SIGN_PFX:-}${PAGEWICK_SIGN_CERT:-}" ] && signed=1 || signed=0

log=$logs/$name-build.log
if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
         -DPAGEWICK_UPDATE_PUBLIC_KEY="$pub" -DPAGEWICK_UPDATE_SIGNING_KEY="$(realpath "$key")" "${signing[@]}" &&
       cmake --build "$tree" -j "$(nproc)"; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "release build failed (log: $log)"
  exit 1
fi

# The release checks and the installer scenarios (the Wine session starts and stops itself).
if ! ctest --test-dir "$tree" --output-on-failure -R "$checks" >"$logs/$name-ctest.log" 2>&1; then
  tail -n 60 "$logs/$name-ctest.log"
  echo "release checks failed (log: $logs/$name-ctest.log)"
  exit 1
fi
grep -E '^[0-9]+% tests passed' "$logs/$name-ctest.log" | tail -n 1

rel=$(realpath "$tree")/release
# The setup program this configuration file names (older ones may linger in the folder).
setup=$(sed -n 3p "$rel/pagewick.txt" | tr -d '\r')
setup=$rel/${setup##*/}
version=$(sed -n 2p "$rel/pagewick.txt" | tr -d '\r')
files=("$setup" "$rel/pagewick.txt" "$rel"/Pagewick.Pagewick.yaml "$rel"/Pagewick.Pagewick.installer.yaml
       "$rel"/Pagewick.Pagewick.locale.*.yaml)
echo "release $version in $rel:"
for f in "${files[@]}"; do
  echo "  $(basename "$f")  $(stat -c %s "$f") bytes  sha256 $(sha256sum "$f" | cut -d' ' -f1)"
done
if [ $signed = 1 ]; then
  stamped=${PAGEWICK_SIGN_TIMESTAMP_URL:+ and timestamped}
  echo "Authenticode: pagewick.exe, the setup program and its uninstaller are signed$stamped"
else
  echo "Authenticode: UNSIGNED (no code-signing certificate was given)"
fi
echo "pagewick.txt:"
sed 's/\r$//; s/^/  /' "$rel/pagewick.txt"
echo "winget: submit the three Pagewick.Pagewick*.yaml as manifests/p/Pagewick/Pagewick/$version/"
if [ -n "$out" ]; then
  mkdir -p "$out" && cp "${files[@]}" "$out"/ && echo "copied to $out"
fi
