#!/usr/bin/env bash
# Benchmarks Live Update downloading a large installer (50 MB by default) over HTTPS on
# loopback: this tree's pagewick.exe (its test-key build, which trusts the test server's
# signature) against a baseline build of an earlier commit (by default
# the last one that kept the whole download in memory), in one run, taking turns. Prints the
# time from the second Next to "Finish" and the peak resident memory, each with the ratio
# build / baseline. Needs root (the test server binds port 443 in a private mount namespace).
# Not a test: it fails only when it cannot measure.
#   bench/update.sh [--mb N] [--runs N]        PAGEWICK_BASELINE_REV=<commit> for another baseline
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tree=${PAGEWICK_BENCH_TREE:-build-win}
rev=${PAGEWICK_BASELINE_REV:-aee5ca5}

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p build-logs
log=$root/build-logs/update-bench-build.log
if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build "$tree" --target pagewick_test_key pagewick_update_bench -j "$(nproc)"; } >"$log" 2>&1; then
  tail -n 40 "$log"; echo "build failed (log: $log)"; exit 1
fi
# The baseline: the program of commit $rev, built once from its own sources.
base=$root/$tree/update-baseline/$rev
if [ ! -f "$base/build/pagewick.exe" ]; then
  rm -rf "$base" && mkdir -p "$base/src"
  if ! { git archive "$rev" | tar -x -C "$base/src" &&
         cmake -S "$base/src" -B "$base/build" -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$base/src/cmake/mingw-i686.cmake" &&
         cmake --build "$base/build" --target pagewick -j "$(nproc)"; } >"$log.baseline" 2>&1; then
    tail -n 40 "$log.baseline"; echo "baseline build failed (log: $log.baseline)"; exit 1
  fi
fi

session=$root/$tree/update-bench-session
bash scripts/wine-session.sh start "$session" >/dev/null || exit 1
trap 'bash scripts/wine-session.sh stop "$session"' EXIT
bash scripts/wine-session.sh emulation
echo "baseline: $rev ($(git log -1 --format=%s "$rev" | cut -c1-60))"
bash tests/e2e/live-update-run.sh "$session" wine "$root/$tree/bench-wine/pagewick_update_bench.exe" \
  --build "$root/$tree/test-key/pagewick.exe" --baseline "$base/build/pagewick.exe" --work "$session/update-work" "$@"
