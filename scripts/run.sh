#!/usr/bin/env bash
# Sets up what is missing, builds pagewick.exe (build-win) and runs it under Wine in a 32-bit
# prefix of its own (~/.local/share/pagewick-wine, made once from the cached template).
# With $DISPLAY set the program runs there until it ends. Without one, a virtual display is
# started, the main window is awaited, a screenshot is saved and its path printed, and the
# session is ended again. Arguments are passed to the program (e.g. /background).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh || { echo "setup failed"; exit 1; }
mkdir -p build-logs
if ! { cmake -S . -B build-win -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build build-win --target pagewick -j "$(nproc)"; } >build-logs/run-build.log 2>&1; then
  tail -n 40 build-logs/run-build.log
  echo "build failed (log: $root/build-logs/run-build.log)"
  exit 1
fi
exe=$root/build-win/pagewick.exe
echo "built $exe ($(stat -c %s "$exe") bytes)"

prefix=${PAGEWICK_WINEPREFIX:-$HOME/.local/share/pagewick-wine}
session=$root/build-win/run-session
mkdir -p "$session"

if [ -n "${DISPLAY:-}" ]; then
  # Interactive, on the user's display. The first run writes the manifest and starts itself
  # again, so wait for the wineserver (it ends shortly after the last program) rather than
  # for the first process.
  bash scripts/wine-session.sh prefix "$prefix" || exit 1
  export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  echo "Wine prefix: $WINEPREFIX, display $DISPLAY; Pagewick ends with File > Exit"
  wine "$exe" "$@" </dev/null >"$session/pagewick.log" 2>&1
  wineserver -w
  exit 0
fi

# Headless: a virtual display of our own, torn down at the end.
export PAGEWICK_SESSION_PREFIX=$prefix
eval "$(bash scripts/wine-session.sh start "$session")" || exit 1
echo "Wine prefix: $WINEPREFIX, virtual display $DISPLAY"
wine "$exe" "$@" </dev/null >"$session/pagewick.log" 2>&1 &
found=
for _ in $(seq 1 200); do
  if xdotool search --onlyvisible --name '^Pagewick$' >/dev/null 2>&1; then found=yes; break; fi
  sleep 0.05
done
shot=$root/build-win/pagewick-screenshot.png
rc=0
if [ -n "$found" ]; then
  sleep 0.5   # let the first paint finish before the picture is taken
  import -display "$DISPLAY" -window root "$shot" && echo "screenshot: $shot" || rc=1
else
  echo "no visible Pagewick window appeared within 10 s (started with: $*)"
  import -display "$DISPLAY" -window root "$shot" >/dev/null 2>&1 && echo "screenshot anyway: $shot"
  rc=1
fi
bash scripts/wine-session.sh stop "$session"
exit $rc
