#!/usr/bin/env bash
# Makes a release: builds pagewick.exe and its setup program (build-win), writes the Live Update
# configuration file for it, checks both and runs the installer's end-to-end tests under Wine.
# What to put on the download server (https://www.pagewick.example/software/pagewick/) as it
# is ends up in build-win/release/: pagewick-setup-<version>.exe and pagewick.txt.
# With a folder as argument, the two files are also copied there.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-}

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p build-logs
log=$root/build-logs/release-build.log
if ! { cmake -S . -B build-win -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build build-win -j "$(nproc)"; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "release build failed (log: $log)"
  exit 1
fi

# The release check and the installer scenarios (the Wine session starts and stops itself).
if ! ctest --test-dir build-win --output-on-failure -R 'e2e\.(session|release|Installer)\.' \
     >"$root/build-logs/release-ctest.log" 2>&1; then
  tail -n 60 "$root/build-logs/release-ctest.log"
  echo "release checks failed (log: $root/build-logs/release-ctest.log)"
  exit 1
fi

rel=$root/build-win/release
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
