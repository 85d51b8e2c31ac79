#!/usr/bin/env bash
# Makes the Debian package from this build with the project's CPack set-up.
source "$(dirname "$0")/common.sh"

rm -rf "$KORVEX_DEB_FOLDER"
mkdir -p "$KORVEX_DEB_FOLDER"
"$CPACK" --config "$KORVEX_BUILD_FOLDER/CPackConfig.cmake" -B "$KORVEX_DEB_FOLDER" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(the_deb)
expected="korvex_${KORVEX_VERSION}_$(dpkg --print-architecture).deb"
[ "$(basename "$deb")" = "$expected" ] || fail "package is named $(basename "$deb"), expected $expected"
echo "made $deb"
