#!/usr/bin/env bash
# The package holds exactly the installed files, owned by root with the usual modes, and its
# control fields carry the project's version and dependencies that dpkg-shlibdeps found.
source "$(dirname "$0")/common.sh"
deb=$(the_deb)

expected_files="-rwxr-xr-x ./usr/bin/korvex
-rwxr-xr-x ./usr/bin/korvex-cli
-rw-r--r-- ./usr/share/applications/org.korvex.Korvex.Shop.desktop
-rw-r--r-- ./usr/share/applications/org.korvex.Korvex.desktop
-rw-r--r-- ./usr/share/doc/korvex/changelog.gz
-rw-r--r-- ./usr/share/doc/korvex/copyright
-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/org.korvex.Korvex.Shop.svg
-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/org.korvex.Korvex.svg
-rw-r--r-- ./usr/share/korvex/Projects/bevel-3d.kvx
-rw-r--r-- ./usr/share/korvex/Projects/default.kvx
-rw-r--r-- ./usr/share/korvex/Projects/lateral-branch.kvxp
-rw-r--r-- ./usr/share/korvex/Projects/lateral-header.kvxp
-rw-r--r-- ./usr/share/korvex/Projects/tee-branch.kvxp
-rw-r--r-- ./usr/share/korvex/Projects/tee-header.kvxp
-rw-r--r-- ./usr/share/korvex/Projects/tube-joint.kvx
-rw-r--r-- ./usr/share/man/man1/korvex-cli.1.gz
-rw-r--r-- ./usr/share/man/man1/korvex.1.gz
-rw-r--r-- ./usr/share/metainfo/org.korvex.Korvex.metainfo.xml
-rw-r--r-- ./usr/share/mime/packages/korvex.xml"

dpkg-deb -c "$deb" >"$work/listing"
actual_files=$(awk '$1 !~ /^d/ { print $1, $6 }' "$work/listing" | LC_ALL=C sort -k2)
if [ "$actual_files" != "$expected_files" ]; then
  diff <(echo "$expected_files") <(echo "$actual_files") || true
  fail "package files differ from the expected list (< expected, > actual)"
fi
awk '$2 != "root/root" { bad = 1; print } END { exit bad }' "$work/listing" ||
  fail "entries not owned by root/root"
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { bad = 1; print } END { exit bad }' "$work/listing" ||
  fail "folders without mode 0755"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = korvex ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$KORVEX_VERSION" ] || fail "Version is '$(field Version)', project says $KORVEX_VERSION"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
for name in Maintainer Section Description; do
  [ -n "$(field "$name")" ] || fail "no $name field"
done

# dpkg-shlibdeps turns each library the programs load into a dependency, versioned where the
# library's package says which version is needed.
depends=$(field Depends)
echo "Depends: $depends"
has_dependency() { tr ',' '\n' <<<"$depends" | sed 's/^ *//' | grep -Eqx "$1"; }
for package in libc6 'libstdc\+\+6' libqt6core6 libqt6gui6 libqt6widgets6 libqt6openglwidgets6; do
  has_dependency "$package \(>= [^)]+\)" || fail "Depends lacks a versioned $package"
done
has_dependency 'libglu1-mesa \| libglu1' || fail "Depends lacks the GLU library"
has_dependency 'libdxflib3( \([^)]+\))?' || fail "Depends lacks dxflib, which reads frame sketches"
