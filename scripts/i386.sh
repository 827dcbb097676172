#!/usr/bin/env bash
# 32-bit code for Wine's 32-bit half. Some kernels boot with 32-bit emulation off, and then no
# i386 ELF runs ("Exec format error"), Wine's 32-bit loader included. There each i386 ELF is run
# by qemu-i386 from bookworm-backports' qemu-user (10.x, static), registered in binfmt_misc.
#
#   i386.sh setup     on a kernel that runs 32-bit code: nothing. Otherwise fetch qemu-user
#                     into $PAGEWICK_QEMU_DIR (unpacked, not installed), mount binfmt_misc when
#                     needed and register qemu-i386 for i386 ELF files. Idempotent.
#   i386.sh status    say whether i386 code runs here, and how
#   i386.sh remove    take the registration back and delete the unpacked qemu
#
# The registration is machine-wide (every i386 ELF then runs through qemu) and lasts until
# reboot or `i386.sh remove`. PAGEWICK_FORCE_QEMU=1 registers qemu even where 32-bit code runs
# natively (to measure the suite under emulation on such a machine).
set -euo pipefail

QEMU_DIR=${PAGEWICK_QEMU_DIR:-/opt/pagewick-qemu-user}
QEMU=$QEMU_DIR/usr/bin/qemu-i386
BINFMT=/proc/sys/fs/binfmt_misc
ENTRY=$BINFMT/qemu-i386
# i386 ELF executables and shared objects (e_type 2 or 3, e_machine 3).
MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

say() { echo "i386: $*"; }

# A 96-byte i386 ELF whose code is `mov eax,1; mov ebx,42; int 0x80`: exits 42 where i386
# code runs (natively or through a registered emulator).
probe() {
  local f
  f=$(mktemp /tmp/pagewick-i386-probe.XXXXXX)
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$f"
  chmod +x "$f"
  local rc=0
  "$f" 2>/dev/null || rc=$?
  rm -f "$f"
  [ "$rc" -eq 42 ]
}

registered() { [ -f "$ENTRY" ] && grep -qx enabled "$ENTRY" && grep -q "^interpreter $QEMU\$" "$ENTRY"; }

# The Debian archive address this machine's own apt sources use for the release suite.
archive_uri() {
  local f uri
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # deb822 stanzas: the first whose Suites name the release itself (not -security).
    uri=$(awk -v rel="$1" '
      BEGIN { RS=""; FS="\n" }
      {
        u=""; s=""; t=""
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/)   { u=$i; sub(/^URIs:[ \t]*/, "", u); split(u, us, /[ \t]+/); u=us[1] }
          if ($i ~ /^Suites:/) { s=" " $i " "; sub(/^ Suites:/, "", s); s=" " s " " }
          if ($i ~ /^Types:/)  { t=$i }
        }
        if (u != "" && t ~ /(^|[ \t])deb([ \t]|$)/ && s ~ ("[ \t]" rel "[ \t]")) { print u; exit }
      }' "$f")
    [ -n "$uri" ] && { echo "$uri"; return 0; }
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    uri=$(awk -v rel="$1" '$1 == "deb" {
        i = 2; if ($2 ~ /^\[/) { while (i <= NF && $i !~ /\]$/) i++; i++ }
        if ($(i+1) == rel) { print $i; exit } }' "$f")
    [ -n "$uri" ] && { echo "$uri"; return 0; }
  done
  return 1
}

fetch_qemu() {
  if [ -x "$QEMU" ] && "$QEMU" --version >/dev/null 2>&1; then
    say "qemu-user already unpacked in $QEMU_DIR ($("$QEMU" --version | head -n 1))"
    return 0
  fi
  local codename uri work
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  uri=$(archive_uri "$codename") || { say "no Debian archive for $codename in the apt sources"; return 1; }
  work=$(mktemp -d /tmp/pagewick-qemu.XXXXXX)
  mkdir -p "$work/lists/partial" "$work/archives/partial"
  local keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  echo "deb [signed-by=$keyring] $uri $codename-backports main" >"$work/sources.list"
  local opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
              -o "Dir::State::Lists=$work/lists" -o "Dir::Cache::Archives=$work/archives"
              -o Debug::NoLocking=1)
  say "fetching qemu-user from $codename-backports ($uri)"
  local ok=
  for try in 1 2 3; do
    if apt-get "${opts[@]}" -qq update >"$work/apt.log" 2>&1 &&
       (cd "$work/archives" && apt-get "${opts[@]}" -qq download "qemu-user/$codename-backports") \
         >>"$work/apt.log" 2>&1; then
      ok=yes; break
    fi
    sleep 5
  done
  if [ -z "$ok" ]; then cat "$work/apt.log"; rm -rf "$work"; return 1; fi
  rm -rf "$QEMU_DIR.new"
  mkdir -p "$QEMU_DIR.new"
  dpkg-deb -x "$work"/archives/qemu-user_*.deb "$QEMU_DIR.new"
  rm -rf "$work"
  "$QEMU_DIR.new/usr/bin/qemu-i386" --version >/dev/null || { say "the unpacked qemu-i386 does not run"; return 1; }
  rm -rf "$QEMU_DIR"
  mv "$QEMU_DIR.new" "$QEMU_DIR"
  say "unpacked $("$QEMU" --version | head -n 1) into $QEMU_DIR"
}

register() {
  if [ ! -e "$BINFMT/register" ]; then
    mount -t binfmt_misc binfmt_misc "$BINFMT"
    say "mounted binfmt_misc on $BINFMT"
  fi
  if registered; then
    say "qemu-i386 already registered for i386 ELF files"
    return 0
  fi
  [ -e "$ENTRY" ] && echo -1 >"$ENTRY"   # another interpreter under our name: replace it
  # F: the interpreter is opened now, so it also serves mount namespaces and chroots.
  echo ":qemu-i386:M::$MAGIC:$MASK:$QEMU:F" >"$BINFMT/register"
  say "registered $QEMU for i386 ELF files (machine-wide; undo: bash scripts/i386.sh remove)"
}

cmd_setup() {
  if registered; then
    say "i386 code runs through qemu-i386 (already set up; nothing changed)"
    probe || { say "the registered qemu-i386 does not run the probe"; return 1; }
    return 0
  fi
  if [ "${PAGEWICK_FORCE_QEMU:-0}" != 1 ] && probe; then
    say "i386 code runs natively; nothing to do"
    return 0
  fi
  fetch_qemu
  register
  probe || { say "i386 code still does not run"; return 1; }
  say "i386 code now runs through qemu-i386"
}

cmd_status() {
  if registered; then say "emulated: qemu-i386 from $QEMU_DIR is registered"
  elif probe; then say "native: this kernel runs i386 code"
  else say "none: i386 code does not run here (bash scripts/i386.sh setup)"; return 1
  fi
}

cmd_remove() {
  if [ -f "$ENTRY" ]; then echo -1 >"$ENTRY"; say "removed the qemu-i386 registration"; fi
  if [ -d "$QEMU_DIR" ]; then rm -rf "$QEMU_DIR"; say "deleted $QEMU_DIR"; fi
}

case "${1:-setup}" in
  setup) cmd_setup ;;
  status) cmd_status ;;
  remove) cmd_remove ;;
  *) echo "usage: $0 [setup|status|remove]" >&2; exit 2 ;;
esac
