#!/usr/bin/env bash
# `cmake --install` into a prefix lays the files out in the GNU folders, and the installed
# korvex-cli converts an installed sample.
source "$(dirname "$0")/common.sh"
prefix="$work/prefix"
"$CMAKE" --install "$KORVEX_BUILD_FOLDER" --prefix "$prefix" >"$work/install.log" ||
  { cat "$work/install.log"; fail "cmake --install failed"; }

for path in bin/korvex bin/korvex-cli share/man/man1/korvex.1.gz share/man/man1/korvex-cli.1.gz \
  share/applications/org.korvex.Korvex.desktop share/metainfo/org.korvex.Korvex.metainfo.xml \
  share/icons/hicolor/scalable/apps/org.korvex.Korvex.svg share/mime/packages/korvex.xml \
  share/doc/korvex/copyright; do
  [ -f "$prefix/$path" ] || fail "$path is not installed"
done
for sample in "$prefix"/share/korvex/Projects/*.kvx; do
  [ "$(stat -c %a "$sample")" = 644 ] || fail "$sample has mode $(stat -c %a "$sample")"
done

"$prefix/bin/korvex-cli" "$prefix/share/korvex/Projects/default.kvx" "$work/out.ngc" >"$work/stdout"
printf 'X LENGTH 240.000\nY LENGTH 125.664\n' | diff - "$work/stdout" || fail "printed lengths differ"
