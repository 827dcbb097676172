#!/bin/sh
# The folders' include rule: platform/ includes only platform/ (WinMain.cpp, the entry point,
# starts app/); no folder but app/ includes app/ or defines the main window's methods.
# Prints each breach; exits 1 when there is one.
cd "$(dirname "$0")/.." || exit 2
fail=0
breach() { echo "$1"; fail=1; }
for f in $(grep -rlE '#include "(app|storage|editor|options|update|help)/' platform --include=*.cpp --include=*.h); do
  [ "$(basename "$f")" = WinMain.cpp ] || breach "$f: platform/ includes from outside platform/"
done
for f in $(grep -rl '#include "app/' storage editor options update help --include=*.cpp --include=*.h); do
  breach "$f: a feature includes app/"
done
for f in $(grep -rl 'frmPagewick::' storage editor options update help platform --include=*.cpp); do
  breach "$f: defines frmPagewick methods outside app/"
done
exit $fail
