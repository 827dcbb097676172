#!/usr/bin/env bash
# Benchmarks the View menu on a large note: a key press with the status bar shown, Word Wrap off
# and on again, and the zoom, in pagewick.exe and in Wine's notepad.exe, in one run; prints the
# milliseconds and the ratios. Not a test: it fails only when it cannot measure.
#   bench/view.sh [--note-mb N] [--keys N]
set -uo pipefail
source "$(dirname "$0")/common.sh"

bench_build view pagewick pagewick_view_bench pagewick_e2e_hook
bench_session view
PAGEWICK_E2E_HOOK=$root/$tree/tests/e2e/pagewick_e2e_hook.dll \
bash scripts/wine-session.sh exec "$session" wine "$root/$tree/bench-wine/pagewick_view_bench.exe" \
  --pagewick "$root/$tree/pagewick.exe" --notepad 'C:\windows\system32\notepad.exe' \
  --work "$session/work" "$@"
