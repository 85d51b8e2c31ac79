#!/usr/bin/env bash
# The installed korvex-cli, unpacked from the package, converts an installed sample project.
source "$(dirname "$0")/common.sh"
root="$work/root"
stage_package "$root"
cli="$root/usr/bin/korvex-cli"
samples="$root/usr/share/korvex/Projects"

for sample in "$KORVEX_SOURCE_FOLDER"/Projects/*.kvx; do
  cmp "$sample" "$samples/$(basename "$sample")" || fail "installed $(basename "$sample") differs"
done

# The lengths the description gives for the default job; Y LENGTH is the circumference of its
# 40 mm tube, 40 * pi = 125.664.
"$cli" "$samples/default.kvx" "$work/default.ngc" >"$work/stdout" 2>"$work/stderr" ||
  { cat "$work/stderr"; fail "korvex-cli exited $?"; }
printf 'X LENGTH 240.000\nY LENGTH 125.664\n' | diff - "$work/stdout" || fail "printed lengths differ"
[ ! -s "$work/stderr" ] || fail "korvex-cli wrote to standard error: $(cat "$work/stderr")"
[ -s "$work/default.ngc" ] || fail "no program written"

[ "$("$cli" --version)" = "korvex-cli $KORVEX_VERSION" ] || fail "--version prints '$("$cli" --version)'"
status=0
"$cli" "$samples/default.kvx" >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "a missing output argument exits $status, expected 2"

for program in korvex korvex-cli; do
  file -b "$root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
