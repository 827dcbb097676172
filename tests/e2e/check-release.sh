#!/usr/bin/env bash
# Checks the release folder the build makes for the download server:
#   check-release.sh RELEASE_DIR VERSION BASE_URL BUILT_SETUP PUBLIC_KEY
# RELEASE_DIR holds pagewick-setup-VERSION.exe (the same bytes as BUILT_SETUP) and pagewick.txt,
# the Live Update configuration file: five lines ended by CR LF, the update's name, VERSION, the
# setup program's address under BASE_URL, the setup program's SHA-256 in lower-case hex, and the
# base64 of an ECDSA signature of lines 1 to 4 that PUBLIC_KEY (the program's key) verifies.
set -u
dir=$1 version=$2 base=$3 built=$4 pub=$5
name=pagewick-setup-$version.exe
fail=0
bad() { echo "FAIL: $*"; fail=1; }
[ -f "$dir/$name" ] || { echo "FAIL: no $dir/$name"; exit 1; }
[ -f "$dir/pagewick.txt" ] || { echo "FAIL: no $dir/pagewick.txt"; exit 1; }
cmp -s "$dir/$name" "$built" || bad "$dir/$name differs from $built"
cfg=$dir/pagewick.txt
# Every line ends in CR LF and there is no other CR or LF.
lf=$(tr -cd '\n' <"$cfg" | wc -c)
cr=$(tr -cd '\r' <"$cfg" | wc -c)
[ "$lf" -eq 5 ] && [ "$cr" -eq 5 ] || bad "expected 5 lines ended by CR LF, found $lf LF and $cr CR"
[ "$(tail -c 2 "$cfg" | od -An -tx1 | tr -d ' \n')" = 0d0a ] || bad "the last line does not end in CR LF"
mapfile -t lines < <(tr -d '\r' <"$cfg")
[ -n "${lines[0]:-}" ] || bad "line 1 (the update's name) is empty"
[[ "${lines[0]:-}" == *"$version"* ]] || bad "line 1 does not name version $version: ${lines[0]:-}"
[ "${lines[1]:-}" = "$version" ] || bad "line 2 is '${lines[1]:-}', not $version"
[ "${lines[2]:-}" = "$base$name" ] || bad "line 3 is '${lines[2]:-}', not $base$name"
sha=$(sha256sum "$dir/$name" | cut -d' ' -f1)
[ "${lines[3]:-}" = "$sha" ] || bad "line 4 is '${lines[3]:-}', not the SHA-256 $sha"
# The signature covers the first four lines exactly as served.
tmp=$(mktemp -d)
head -c "$(head -n 4 "$cfg" | wc -c)" "$cfg" >"$tmp/signed"
if printf '%s' "${lines[4]:-}" | base64 -d >"$tmp/sig" 2>/dev/null; then
  openssl dgst -sha256 -verify "$pub" -signature "$tmp/sig" "$tmp/signed" >/dev/null 2>&1 ||
    bad "line 5 is not a signature of lines 1 to 4 by $pub"
else
  bad "line 5 is not base64: ${lines[4]:-}"
fi
rm -rf "$tmp"
[ $fail -eq 0 ] && echo "release ok: $name, sha256 $sha"
exit $fail
