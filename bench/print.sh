#!/usr/bin/env bash
# Benchmarks printing: the same 1 MB text printed by pagewick.exe and by Wine's notepad.exe to
# one PostScript file printer, in one run; prints seconds, pages and the ratio
# pagewick / notepad. Not a test: it fails only when it cannot measure.
#   bench/print.sh [--runs N] [--kb N]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tree=${PAGEWICK_BENCH_TREE:-build-win}

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p build-logs
if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build "$tree" --target pagewick pagewick_print_bench pagewick_e2e_printer pagewick_e2e_hook \
         -j "$(nproc)"; } >build-logs/print-bench-build.log 2>&1; then
  tail -n 40 build-logs/print-bench-build.log
  echo "build failed (log: $root/build-logs/print-bench-build.log)"
  exit 1
fi

session=$root/$tree/print-bench-session
jobs=$session/jobs
bash scripts/wine-session.sh start "$session" >/dev/null || exit 1
trap 'bash scripts/wine-session.sh stop "$session"' EXIT
bash scripts/wine-session.sh emulation
mkdir -p "$jobs"
bash scripts/wine-session.sh exec "$session" wine "$root/$tree/tests/e2e/pagewick_e2e_printer.exe" \
  "Pagewick Bench PS" "|sh $root/tests/e2e/printer/save-job.sh $jobs" || exit 1
PAGEWICK_E2E_HOOK=$root/$tree/tests/e2e/pagewick_e2e_hook.dll \
bash scripts/wine-session.sh exec "$session" wine "$root/$tree/bench-wine/pagewick_print_bench.exe" \
  --pagewick "$root/$tree/pagewick.exe" --notepad 'C:\windows\system32\notepad.exe' \
  --work "$session/work" --jobs "$jobs" "$@"
