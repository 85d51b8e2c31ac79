# Shared by the install tests (sourced): the package under test and a staging root for it.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Prints the path of the one package that install.package made.
the_deb() {
  local debs=("$KORVEX_DEB_FOLDER"/korvex_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one korvex_*.deb in $KORVEX_DEB_FOLDER"
  echo "${debs[0]}"
}

# Unpacks the package into the folder $1 as dpkg would install it under /.
stage_package() {
  mkdir -p "$1"
  dpkg-deb -x "$(the_deb)" "$1"
}

# A scratch folder removed when the test ends, in $work.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
