#!/usr/bin/env bash
# lintian finds no errors in the package; its warnings are printed for the record.
source "$(dirname "$0")/common.sh"
lintian --fail-on error --tag-display-limit 0 "$(the_deb)" || fail "lintian reports errors"
