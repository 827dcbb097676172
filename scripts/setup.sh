#!/usr/bin/env bash
# Installs what building and testing Pagewick needs on Debian 12, skipping what is there, and
# makes sure Wine's 32-bit half can run (scripts/i386.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
pkgs=(cmake make g++ googletest g++-mingw-w64-i686 wine wine32:i386 xvfb xdotool xauth
      x11-utils fonts-wine imagemagick clang libclang-rt-14-dev python3 git ca-certificates
      nsis)
# The printing scenarios and the print benchmark read the printed pages back as text.
pkgs+=(ghostscript)
pkgs+=(openssl)   # the Live Update tests make a test CA and a server certificate, and sign
pkgs+=(libssl-dev)   # the unit tests check Live Update signatures with libcrypto
pkgs+=(wamerican scowl zlib1g-dev)   # the spelling word list, its size levels; zlib for the unpacker's tests
pkgs+=(osslsigncode python3-yaml)   # Authenticode signing and checks; the winget manifests' check
pkgs+=(ccache)   # the release run's tree compiles only what differs from build-win
# The native 64-bit wineserver: Wine's `wineserver` takes it before the 32-bit one, which runs
# emulated where the kernel runs no 32-bit code and then slows every call that reaches the server.
pkgs+=(wine64)
# Wine's 32-bit half comes from the i386 architecture.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror in the middle of a sync can fail one index; retry, then try the install anyway
  # with what was fetched (it fails on its own when something it needs is missing).
  for try in 1 2; do
    apt-get update -qq && break
    sleep 5
  done || true
  # When the security index for one architecture lags the other, the i386 and amd64 halves of
  # a library cannot match and the plain install gives up ("held broken packages"); the
  # release's own suite as the target resolves it.
  release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  if ! apt-get install -y -qq --no-install-recommends "${need[@]}" >/tmp/pagewick-apt.log 2>&1; then
    echo "setup: the plain install failed ($(grep -m1 '^E:' /tmp/pagewick-apt.log || echo 'see /tmp/pagewick-apt.log')); installing with $release as the target"
    apt-get install -y -qq --no-install-recommends -t "$release" "${need[@]}" >/tmp/pagewick-apt.log 2>&1 ||
      { tail -n 30 /tmp/pagewick-apt.log; exit 1; }
  fi
else
  echo "setup: all packages present"
fi
bash scripts/i386.sh setup
