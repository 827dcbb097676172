# Sourced by the Wine benchmarks: the repository root, the tree they build in, and the steps
# every one of them starts with.
#   bench_build NAME TARGET...   sets up what is missing and builds the targets (log:
#                                build-logs/NAME-bench-build.log); exits when that fails
#   bench_session NAME           starts a private Wine session in the tree (stopped on exit),
#                                says how 32-bit code runs, and sets $session
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
tree=${PAGEWICK_BENCH_TREE:-build-win}

bench_build() {
  local name=$1; shift
  local log=build-logs/$name-bench-build.log
  bash scripts/setup.sh || { echo "setup failed"; exit 1; }
  mkdir -p build-logs
  if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
         cmake --build "$tree" --target "$@" -j "$(nproc)"; } >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "build failed (log: $root/$log)"
    exit 1
  fi
}

bench_session() {
  session=$root/$tree/$1-bench-session
  bash scripts/wine-session.sh start "$session" >/dev/null || exit 1
  trap 'bash scripts/wine-session.sh stop "$session"' EXIT
  bash scripts/wine-session.sh emulation
}
