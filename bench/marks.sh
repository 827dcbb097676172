#!/usr/bin/env bash
# Benchmarks the spelling marks: the same pagewick.exe with Check Spelling As You Type on and off,
# typing in a 1 MB note and scrolling a 10 MB one page by page, in one run; prints the figures
# and the ratios on / off. Not a test: it fails only when it cannot measure.
#   bench/marks.sh [--keys N] [--pages N] [--clean-lines N]   (known-word lines between two misspelt ones)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tree=${PAGEWICK_BENCH_TREE:-build-win}

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p build-logs
if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build "$tree" --target pagewick pagewick_marks_bench pagewick_e2e_hook -j "$(nproc)"; } \
       >build-logs/marks-bench-build.log 2>&1; then
  tail -n 40 build-logs/marks-bench-build.log
  echo "build failed (log: $root/build-logs/marks-bench-build.log)"
  exit 1
fi

session=$root/$tree/marks-bench-session
bash scripts/wine-session.sh start "$session" >/dev/null || exit 1
trap 'bash scripts/wine-session.sh stop "$session"' EXIT
bash scripts/wine-session.sh emulation
PAGEWICK_E2E_HOOK=$root/$tree/tests/e2e/pagewick_e2e_hook.dll \
bash scripts/wine-session.sh exec "$session" wine "$root/$tree/bench-wine/pagewick_marks_bench.exe" \
  --pagewick "$root/$tree/pagewick.exe" --work "$session/work" "$@"
