#!/usr/bin/env bash
# Change All in the Spelling window against Replace All on the same note (200,000 of one typo
# in about 2 MB), in one run: natively on the fakes (bench/change_all_bench.cpp), then in the
# real pagewick.exe under Wine (bench/wine/change_all_wine.cpp). Not a test: it prints figures.
#   bench/change_all.sh [--typos N] [--runs N] [--limit-s N]   (--limit-s: Wine only)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
native=${PAGEWICK_BENCH_NATIVE_TREE:-build-native}
tree=${PAGEWICK_BENCH_TREE:-build-win}
native_args=() wine_args=("$@")
while [ $# -gt 1 ]; do
  case $1 in --typos|--runs) native_args+=("$1" "$2") ;; esac
  shift 2
done

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p build-logs
if ! { cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$native" --target change_all_bench -j2 &&
       cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build "$tree" --target pagewick pagewick_change_all_bench pagewick_e2e_hook -j2; } \
     >build-logs/change-all-build.log 2>&1; then
  tail -n 40 build-logs/change-all-build.log
  echo "build failed (log: $root/build-logs/change-all-build.log)"
  exit 1
fi

"$native/bench/change_all_bench" "${native_args[@]}"
echo
session=$root/$tree/change-all-session
bash scripts/wine-session.sh start "$session" >/dev/null || exit 1
trap 'bash scripts/wine-session.sh stop "$session"' EXIT
bash scripts/wine-session.sh emulation
PAGEWICK_E2E_HOOK=$root/$tree/tests/e2e/pagewick_e2e_hook.dll \
bash scripts/wine-session.sh exec "$session" wine "$root/$tree/bench-wine/pagewick_change_all_bench.exe" \
  --pagewick "$root/$tree/pagewick.exe" --work "$session/work" "${wine_args[@]}"
