#!/usr/bin/env bash
# Benchmarks the spelling marks: the same pagewick.exe with Check Spelling As You Type on and off,
# typing in a 1 MB note and scrolling a 10 MB one page by page, in one run; prints the figures
# and the ratios on / off. Not a test: it fails only when it cannot measure.
#   bench/marks.sh [--keys N] [--pages N] [--clean-lines N]   (known-word lines between two misspelt ones)
set -uo pipefail
source "$(dirname "$0")/common.sh"

bench_build marks pagewick pagewick_marks_bench pagewick_e2e_hook
bench_session marks
PAGEWICK_E2E_HOOK=$root/$tree/tests/e2e/pagewick_e2e_hook.dll \
bash scripts/wine-session.sh exec "$session" wine "$root/$tree/bench-wine/pagewick_marks_bench.exe" \
  --pagewick "$root/$tree/pagewick.exe" --work "$session/work" "$@"
