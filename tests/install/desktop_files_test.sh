#!/usr/bin/env bash
# The installed desktop entry, AppStream metadata, icon and file type pass their own validators
# and point at each other: a double-click on a .kvx file starts korvex with that file.
source "$(dirname "$0")/common.sh"
root="$work/root"
stage_package "$root"
share="$root/usr/share"
desktop="$share/applications/org.korvex.Korvex.desktop"

# Each entry: its file, its Exec line and a file type it opens.
while read -r entry exec; do
  read -r type
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
  key() { sed -n "s/^$1=//p" "$entry"; }
  [ "$(key Exec)" = "$exec" ] || fail "Exec is '$(key Exec)' in $entry"
  [ -x "$root/usr/bin/$(key Exec | cut -d' ' -f1)" ] || fail "Exec names no installed program"
  grep -q "^MimeType=\(.*;\)\?$type;" "$entry" || fail "$entry does not open $type"
  icon="$share/icons/hicolor/scalable/apps/$(key Icon).svg"
  [ -f "$icon" ] || fail "no scalable icon named $(key Icon)"
  file -b "$icon" | grep -q 'SVG' || fail "the icon is not an SVG image: $(file -b "$icon")"
done <<ENTRIES
$desktop korvex %f
application/x-korvex-project
$share/applications/org.korvex.Korvex.Shop.desktop korvex --shop %F
application/x-korvex-part
$share/applications/org.korvex.Korvex.Shop.desktop korvex --shop %F
application/x-korvex-frame
ENTRIES

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
for type in project:kvx part:kvxp frame:kvxf; do
  grep -qx "[0-9]*:application/x-korvex-${type%:*}:\\*\\.${type#*:}" "$work/mime/globs2" ||
    fail "no *.${type#*:} glob for application/x-korvex-${type%:*} in the MIME database"
done
