#!/usr/bin/env bash
# Makes a release: builds pagewick.exe and its setup program, writes the Live Update
# configuration file for it signed with the publisher's key, checks both and runs the
# installer's end-to-end tests under Wine.
#
#   PAGEWICK_RELEASE_KEY=/path/to/publisher-key.pem bash scripts/release.sh [FOLDER]
#
# PAGEWICK_RELEASE_KEY is the publisher's ECDSA P-256 private key (PEM); it never goes near the
# download server. The program is built carrying its public half, so it trusts configuration
# files signed with that key only. The test key in tests/keys is refused.
# What to put on the download server (https://www.pagewick.example/software/pagewick/) as it
# is ends up in build-release/release/: pagewick-setup-<version>.exe and pagewick.txt.
# With a folder as argument, the two files are also copied there.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-}
tree=build-release

key=${PAGEWICK_RELEASE_KEY:-}
[ -n "$key" ] || { echo "PAGEWICK_RELEASE_KEY must name the publisher's private key (PEM)"; exit 1; }
[ -r "$key" ] || { echo "cannot read PAGEWICK_RELEASE_KEY: $key"; exit 1; }
mkdir -p build-logs "$tree"
pub=$root/$tree/update-public-key.pem
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
log=$root/build-logs/release-build.log
if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
         -DPAGEWICK_UPDATE_PUBLIC_KEY="$pub" -DPAGEWICK_UPDATE_SIGNING_KEY="$(realpath "$key")" &&
       cmake --build "$tree" -j "$(nproc)"; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "release build failed (log: $log)"
  exit 1
fi

# The release check and the installer scenarios (the Wine session starts and stops itself).
if ! ctest --test-dir "$tree" --output-on-failure -R 'e2e\.(session|release|Installer)\.' \
     >"$root/build-logs/release-ctest.log" 2>&1; then
  tail -n 60 "$root/build-logs/release-ctest.log"
  echo "release checks failed (log: $root/build-logs/release-ctest.log)"
  exit 1
fi

rel=$root/$tree/release
# The setup program this configuration file names (older ones may linger in the folder).
setup=$(sed -n 3p "$rel/pagewick.txt" | tr -d '\r')
setup=$rel/${setup##*/}
echo "release in $rel:"
for f in "$setup" "$rel/pagewick.txt"; do
  echo "  $(basename "$f")  $(stat -c %s "$f") bytes  sha256 $(sha256sum "$f" | cut -d' ' -f1)"
done
echo "pagewick.txt:"
sed 's/\r$//; s/^/  /' "$rel/pagewick.txt"
if [ -n "$out" ]; then
  mkdir -p "$out" && cp "$setup" "$rel/pagewick.txt" "$out"/ && echo "copied to $out"
fi
