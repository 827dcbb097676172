#!/usr/bin/env bash
# Benchmarks the View menu on a large note: a key press with the status bar shown, Word Wrap off
# and on again, and the zoom, in pagewick.exe and in Wine's notepad.exe, in one run; prints the
# milliseconds and the ratios. Not a test: it fails only when it cannot measure.
#   bench/view.sh [--note-mb N] [--keys N]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tree=${PAGEWICK_BENCH_TREE:-build-win}

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p build-logs
if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build "$tree" --target pagewick pagewick_view_bench pagewick_e2e_hook -j "$(nproc)"; } \
       >build-logs/view-bench-build.log 2>&1; then
  tail -n 40 build-logs/view-bench-build.log
  echo "build failed (log: $root/build-logs/view-bench-build.log)"
  exit 1
fi

session=$root/$tree/view-bench-session
bash scripts/wine-session.sh start "$session" >/dev/null || exit 1
trap 'bash scripts/wine-session.sh stop "$session"' EXIT
bash scripts/wine-session.sh emulation
PAGEWICK_E2E_HOOK=$root/$tree/tests/e2e/pagewick_e2e_hook.dll \
bash scripts/wine-session.sh exec "$session" wine "$root/$tree/bench-wine/pagewick_view_bench.exe" \
  --pagewick "$root/$tree/pagewick.exe" --notepad 'C:\windows\system32\notepad.exe' \
  --work "$session/work" "$@"
