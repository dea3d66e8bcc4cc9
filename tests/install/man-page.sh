#!/usr/bin/env bash
# A manual page made from the program's --help: it formats without a warning and names every
# long option the --help names.
set -euo pipefail
program=$1 page=$2
command -v man >/dev/null || { echo "man is not installed: skipped"; exit 77; }

warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || true
[ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
text=$(MANWIDTH=80 man -l "$page" 2>/dev/null)

missing=0
for option in $("$program" --help 2>/dev/null | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
    grep -qF -- "$option" <<<"$text" || { echo "$page lacks $option"; missing=1; }
done
for section in NAME SYNOPSIS DESCRIPTION FILES EXAMPLES "SEE ALSO"; do
    grep -q "^$section" <<<"$text" || { echo "$page lacks the section $section"; missing=1; }
done
grep -qi "exit status" <<<"$text" || { echo "$page does not say its exit status"; missing=1; }
exit $missing
