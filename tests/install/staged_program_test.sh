#!/usr/bin/env bash
# The installed korvex, unpacked from the package, started under the suite's X display with a
# project on its command line: the program test that drives the real window checks that the
# title names the project.
source "$(dirname "$0")/common.sh"
root="$work/root"
stage_package "$root"
[ -n "${DISPLAY:-}" ] || fail "needs an X display (xvfb-run)"
KORVEX_PROGRAM_UNDER_TEST="$root/usr/bin/korvex" "$KORVEX_PROGRAM_TESTS" \
  --gtest_filter='ProgramTest.AProjectOnTheCommandLineIsOpenedAndNamedInTheTitle' ||
  fail "the installed korvex did not open the project named on its command line"
