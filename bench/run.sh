#!/usr/bin/env bash
# Benchmarks pagewick.exe against Wine's own 32-bit notepad.exe in one run, on one private
# virtual display: launch to visible window (median of 5), resident anonymous memory after
# start, time to show a 10 MB note (ANSI, then UTF-8 Cyrillic), Replace All across 1 MB of
# Unicode text; each with the ratio pagewick / notepad; and the exe size.
# Not a test: it prints figures and fails only when it cannot measure.
#   bench/run.sh [--runs N] [--note-mb N] [--replace 0|1]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tree=${PAGEWICK_BENCH_TREE:-build-win}

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p build-logs
if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build "$tree" --target pagewick pagewick_wine_bench pagewick_e2e_hook -j "$(nproc)"; } >build-logs/bench-build.log 2>&1; then
  tail -n 40 build-logs/bench-build.log
  echo "build failed (log: $root/build-logs/bench-build.log)"
  exit 1
fi

session=$root/$tree/bench-session
bash scripts/wine-session.sh start "$session" >/dev/null || exit 1
trap 'bash scripts/wine-session.sh stop "$session"' EXIT
bash scripts/wine-session.sh emulation
PAGEWICK_E2E_HOOK=$root/$tree/tests/e2e/pagewick_e2e_hook.dll \
bash scripts/wine-session.sh exec "$session" wine "$root/$tree/bench-wine/pagewick_wine_bench.exe" \
  --pagewick "$root/$tree/pagewick.exe" --notepad 'C:\windows\system32\notepad.exe' \
  --work "$session/work" "$@"
