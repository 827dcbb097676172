#!/usr/bin/env bash
# A private Wine session for running Pagewick headless: an Xvfb display of its own, a 32-bit
# prefix copied from a cached template, and a persistent wineserver.
#
#   wine-session.sh start DIR        start a session whose state lives in DIR; prints `export`
#                                    lines, so `eval "$(scripts/wine-session.sh start DIR)"` works
#   wine-session.sh env DIR          print the export lines of a running session
#   wine-session.sh exec DIR CMD...  run CMD inside the session (CTest uses this as the emulator);
#                                    CMD's output goes through a file, so Wine processes left
#                                    behind never hold the caller's pipes
#   wine-session.sh stop DIR         end what `start` started (wineserver, Xvfb) and drop the prefix
#   wine-session.sh template         only make sure the cached template prefix exists
#   wine-session.sh prefix PATH      make a long-lived prefix at PATH from the template (once)
#   wine-session.sh emulation        one line: whether Wine's 32-bit code runs natively or
#                                    through qemu-i386 (scripts/i386.sh); `start` prints it as
#                                    a comment too
#
# Every background process gets its stdio redirected to files under DIR: CTest waits for its
# pipes to close, and Wine's helper processes inherit them otherwise.
#
# Knobs: PAGEWICK_WINE_TEMPLATE (template folder, default /var/tmp/pagewick-wine-template),
#        PAGEWICK_DISPLAY_BASE (first display number tried, default 77),
#        PAGEWICK_SESSION_PREFIX (use this long-lived prefix, made from the template when
#        missing and kept by `stop`, instead of a throw-away copy in DIR),
#        PAGEWICK_SESSION_DISPLAY (use this X display instead of starting Xvfb),
#        PAGEWICK_SESSION_PER_PARENT=1 (the session lives in DIR/run-<parent pid>: CTest sets
#        it, so every CTest run, which is the parent of the fixture and of each test, has a
#        session of its own, even when two runs share a build tree; `start` also ends the
#        sessions of runs that are gone).
set -u

TEMPLATE=${PAGEWICK_WINE_TEMPLATE:-/var/tmp/pagewick-wine-template}
DISPLAY_BASE=${PAGEWICK_DISPLAY_BASE:-77}
# Bump when the template's contents change, so stale caches are rebuilt.
TEMPLATE_STAMP="pagewick-template-3 $(wine --version 2>/dev/null)"

die() { echo "wine-session: $*" >&2; exit 1; }

wine_env() {
  export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Builds the template prefix once; concurrent callers wait on a lock and reuse the result.
ensure_template() {
  if [ -f "$TEMPLATE/.stamp" ] && [ "$(cat "$TEMPLATE/.stamp")" = "$TEMPLATE_STAMP" ]; then
    return 0
  fi
  mkdir -p "$(dirname "$TEMPLATE")"
  exec 9>"$TEMPLATE.lock"
  flock 9
  if [ -f "$TEMPLATE/.stamp" ] && [ "$(cat "$TEMPLATE/.stamp")" = "$TEMPLATE_STAMP" ]; then
    exec 9>&-
    return 0
  fi
  local work="$TEMPLATE.build.$$"
  rm -rf "$work"
  mkdir -p "$work"
  (
    wine_env
    export WINEPREFIX="$work/prefix"
    unset DISPLAY
    log="$work/build.log"
    wineboot -i >"$log" 2>&1 </dev/null || exit 1
    # Without a window manager every hide/destroy of a top-level window blocks ~2 s unless
    # Wine manages no windows itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1 </dev/null || exit 1
    # Fonts the program and the dialogs ask for that fonts-wine does not carry.
    for pair in "Courier New=Courier" "Arial=Tahoma" "Lucida Console=Courier" \
                "Times New Roman=Tahoma" "MS Shell Dlg=Tahoma"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}" /f \
        >>"$log" 2>&1 </dev/null || exit 1
    done
    wineserver -w >>"$log" 2>&1 </dev/null
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for f in /usr/share/wine/fonts/*.ttf; do
      [ -e "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/"
    done
  ) || { cat "$work/build.log" >&2 2>/dev/null; rm -rf "$work"; exec 9>&-; die "template prefix failed"; }
  echo "$TEMPLATE_STAMP" >"$work/.stamp"
  rm -rf "$TEMPLATE"
  mv "$work" "$TEMPLATE"
  exec 9>&-
}

# Benchmarks print this: under emulation absolute times are several times native ones, while
# ratios against a baseline run under the same emulation stay comparable.
emulation_line() {
  local entry=/proc/sys/fs/binfmt_misc/qemu-i386
  if [ -f "$entry" ] && grep -qx enabled "$entry"; then
    echo "32-bit code: emulated by $(sed -n 's/^interpreter //p' "$entry") (absolute times are several times native ones; ratios against a program run the same way stay comparable)"
  else
    echo "32-bit code: native"
  fi
}

state_env() {
  local dir=$1
  [ -f "$dir/env" ] || die "no session in $dir (run: $0 start $dir)"
  cat "$dir/env"
}

start_xvfb() {
  local dir=$1 n=$DISPLAY_BASE tries=0
  while [ $tries -lt 60 ]; do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 </dev/null &
      local pid=$!
      local i
      for i in $(seq 1 100); do
        if ! kill -0 "$pid" 2>/dev/null; then break; fi
        if xdpyinfo -display ":$n" >/dev/null 2>&1; then
          echo "$pid" >"$dir/xvfb.pid"
          echo "$n" >"$dir/display"
          return 0
        fi
        sleep 0.05
      done
      kill "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null
    fi
    n=$((n + 1)); tries=$((tries + 1))
  done
  die "no free X display from :$DISPLAY_BASE"
}

cmd_start() {
  local dir=$1
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  if [ -f "$dir/env" ] && { [ -n "${PAGEWICK_SESSION_DISPLAY:-}" ] ||
       { [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; }; }; then
    cat "$dir/env"        # already running: reuse it
    return 0
  fi
  local prefix="$dir/prefix"
  if [ -n "${PAGEWICK_SESSION_PREFIX:-}" ]; then
    prefix=$PAGEWICK_SESSION_PREFIX
    echo "$prefix" >"$dir/kept-prefix"
  fi
  if [ ! -f "$prefix/system.reg" ]; then
    ensure_template
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    cp -a "$TEMPLATE/prefix" "$prefix" || die "copying the template failed"
  fi
  local display
  if [ -n "${PAGEWICK_SESSION_DISPLAY:-}" ]; then
    display=$PAGEWICK_SESSION_DISPLAY
    rm -f "$dir/xvfb.pid"
  else
    start_xvfb "$dir"
    display=:$(cat "$dir/display")
  fi
  {
    echo "export DISPLAY=$display"
    echo "export WINEPREFIX='$prefix'"
    echo "export WINEARCH=win32"
    echo "export WINEDEBUG=-all"
    echo "export WINEDLLOVERRIDES='mscoree,mshtml='"
    echo "export PAGEWICK_WINE_SESSION='$dir'"
    echo "export PAGEWICK_E2E_WORK='$dir/work'"
  } >"$dir/env.tmp"
  (
    eval "$(cat "$dir/env.tmp")"
    wineserver -p >"$dir/wineserver.log" 2>&1 </dev/null
    wine cmd /c exit 0 >"$dir/warmup.log" 2>&1 </dev/null
  ) || { cmd_stop "$dir"; die "wine warm-up failed (see $dir/warmup.log)"; }
  mv "$dir/env.tmp" "$dir/env"
  cat "$dir/env"
  echo "# $(emulation_line)"
}

cmd_stop() {
  local dir=$1
  [ -d "$dir" ] || return 0
  local prefix="$dir/prefix"
  [ -f "$dir/kept-prefix" ] && prefix=$(cat "$dir/kept-prefix")
  if [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 </dev/null
    WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 </dev/null
  fi
  # Read-only bind mounts that an interrupted test left in its work folders.
  if [ -d "$dir/work" ]; then
    awk -v d="$dir/work/" 'index($2, d) == 1 { print $2 }' /proc/mounts | sort -r |
      while read -r m; do umount -l "$m" 2>/dev/null; done
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    local pid
    pid=$(cat "$dir/xvfb.pid")
    # Only the Xvfb this session started, recognised by pid and command name.
    if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "Xvfb" ]; then
      kill "$pid" 2>/dev/null
      for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    fi
    rm -f "$dir/xvfb.pid"
  fi
  rm -rf "$dir/prefix" "$dir/env" "$dir/display" "$dir/kept-prefix" "$dir/work"
}

cmd_exec() {
  local dir=$1; shift
  local env
  env=$(state_env "$dir") || exit 1   # never fall back to ~/.wine
  eval "$env"
  local log rc
  log=$(mktemp "$dir/exec.XXXXXX.log")
  "$@" >"$log" 2>&1 </dev/null
  rc=$?
  cat "$log"
  rm -f "$log"
  exit $rc
}

# Sessions of CTest runs that no longer exist (killed runs never reach their stop step).
reap_stale_runs() {
  local base=$1 d pid
  for d in "$base"/run-*; do
    [ -d "$d" ] || continue
    pid=${d##*/run-}
    if [ "$pid" != "$PPID" ] && ! kill -0 "$pid" 2>/dev/null; then
      cmd_stop "$d"
      rm -rf "$d"
    fi
  done
}

session_dir() {
  if [ "${PAGEWICK_SESSION_PER_PARENT:-0}" = 1 ]; then
    echo "$1/run-$PPID"
  else
    echo "$1"
  fi
}

if [ $# -ge 2 ] && [ "$1" != prefix ] && [ "$1" != template ] && [ "$1" != emulation ]; then
  base=$2
  set -- "$1" "$(session_dir "$2")" "${@:3}"
  if [ "$1" = start ] && [ "${PAGEWICK_SESSION_PER_PARENT:-0}" = 1 ]; then
    mkdir -p "$base"
    reap_stale_runs "$base"
  fi
  if [ "$1" = stop ] && [ "${PAGEWICK_SESSION_PER_PARENT:-0}" = 1 ]; then
    cmd_stop "$2"
    rm -rf "$2"
    exit 0
  fi
fi

case "${1:-}" in
  start)    [ $# -eq 2 ] || die "usage: $0 start DIR"; cmd_start "$2" ;;
  stop)     [ $# -eq 2 ] || die "usage: $0 stop DIR"; cmd_stop "$2" ;;
  env)      [ $# -eq 2 ] || die "usage: $0 env DIR"; state_env "$2" ;;
  exec)     [ $# -ge 3 ] || die "usage: $0 exec DIR CMD..."; cmd_exec "$2" "${@:3}" ;;
  template) ensure_template ;;
  emulation) emulation_line ;;
  prefix)   [ $# -eq 2 ] || die "usage: $0 prefix PATH"
            if [ ! -f "$2/system.reg" ]; then
              ensure_template; rm -rf "$2"; mkdir -p "$(dirname "$2")"
              cp -a "$TEMPLATE/prefix" "$2" || die "copying the template failed"
            fi ;;
  *) die "usage: $0 start|stop|env|exec|template|prefix|emulation ..." ;;
esac
