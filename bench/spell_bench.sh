#!/usr/bin/env bash
# The built-in spelling checker against Hunspell and GNU Aspell: installs both with their English
# dictionaries, and codespell for its list of real misspellings, when they are missing (only this
# benchmark uses them), builds the native tree and runs bench/spell_bench.cpp. Extra arguments go
# to the benchmark (--quick: a fifth of the sizes; --real: only the real misspellings).
set -euo pipefail
cd "$(dirname "$0")/.."
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
need=()
for p in hunspell hunspell-en-us aspell aspell-en codespell; do have "$p" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
  flock /tmp/apt.lock apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
tree=${PAGEWICK_BENCH_NATIVE_TREE:-build-native}
cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$tree" --target spell_bench -j2 >/dev/null
"$tree/bench/spell_bench" "$@"
echo
# What the list adds to pagewick.exe: its resource, and zlib's inflate code.
if [ -f build-win/pagewick.exe ]; then
  echo "pagewick.exe: $(stat -c %s build-win/pagewick.exe) bytes; packed word list $(stat -c %s build-win/gen/wordlist.pwl) bytes + notice $(stat -c %s options/res/wordlist-copyright.txt) bytes"
fi
