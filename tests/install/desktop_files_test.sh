#!/usr/bin/env bash
# The installed desktop entry, AppStream metadata, icon and file type pass their own validators
# and point at each other: a double-click on a .kvx file starts korvex with that file.
source "$(dirname "$0")/common.sh"
root="$work/root"
stage_package "$root"
share="$root/usr/share"
desktop="$share/applications/org.korvex.Korvex.desktop"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = "korvex %f" ] || fail "Exec is '$(key Exec)'"
[ -x "$root/usr/bin/$(key Exec | cut -d' ' -f1)" ] || fail "Exec names no installed program"
grep -q '^MimeType=\(.*;\)\?application/x-korvex-project;' "$desktop" ||
  fail "the desktop entry does not open application/x-korvex-project"
icon="$share/icons/hicolor/scalable/apps/$(key Icon).svg"
[ -f "$icon" ] || fail "no scalable icon named $(key Icon)"
file -b "$icon" | grep -q 'SVG' || fail "the icon is not an SVG image: $(file -b "$icon")"

metainfo="$share/metainfo/org.korvex.Korvex.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metadata"
launchable=$(xmllint --xpath 'string(/component/launchable[@type="desktop-id"])' "$metainfo")
[ "$launchable" = "$(basename "$desktop")" ] || fail "the metadata launches '$launchable'"

# The MIME database built from the installed file maps *.kvx to the project type.
xmllint --noout "$share/mime/packages/korvex.xml" || fail "the MIME file is not well-formed XML"
mkdir -p "$work/mime/packages"
cp "$share/mime/packages/korvex.xml" "$work/mime/packages/"
# In the data search path, so that the tool has nothing to remark.
XDG_DATA_HOME="$work" update-mime-database "$work/mime" 2>"$work/mime.log"
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log"; fail "update-mime-database complained"; }
grep -qx '[0-9]*:application/x-korvex-project:\*\.kvx' "$work/mime/globs2" ||
  fail "no *.kvx glob for application/x-korvex-project in the MIME database"
