#!/usr/bin/env bash
# Runs a validator on a file, failing on anything it says; exit 77 (skipped) when the
# validator is not installed.
set -uo pipefail
command -v "$1" >/dev/null || { echo "$1 is not installed: skipped"; exit 77; }
output=$("$@" 2>&1)
status=$?
echo "$output"
[ $status -eq 0 ] || exit 1
# desktop-file-validate passes files it has warnings and hints about; those fail here too
# (a hint names, for one, a second main category, which puts the program in two menus).
! grep -qiE '^[^ ]*: *(error|warning|hint)' <<<"$output"
