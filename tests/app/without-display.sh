#!/usr/bin/env bash
# The explorer on a text console or over ssh, where no window system can be reached: --help
# and --version answer with status 0, an unknown option is refused with a message and status
# 1, and a start says that it needs a display; none of them by an abort.
# Usage: without-display.sh KORVANTA VERSION
set -uo pipefail
korvanta=$1 version=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$korvanta" "$@" >"$tmp/out" 2>"$tmp/err"
}

run --version
status=$?
[ $status -eq 0 ] || fail "--version exits with $status: $(cat "$tmp/err")"
[ "$(cat "$tmp/out")" = "Korvanta $version" ] || fail "--version prints '$(cat "$tmp/out")'"

for option in --help -h; do
    run $option
    status=$?
    [ $status -eq 0 ] || fail "$option exits with $status: $(cat "$tmp/err")"
    grep -q '^Usage: .*korvanta \[options\] \[file\]$' "$tmp/out" || fail "$option prints no usage line"
    grep -qE -- '^ +(-v, )?--version +' "$tmp/out" || fail "$option does not list --version"
    grep -qE '^ +file +A Korvanta document \(\.fra\) or macro \(\.frm\) to open\.$' "$tmp/out" ||
        fail "$option does not describe the file argument"
done

run --no-such-option
status=$?
[ $status -eq 1 ] || fail "--no-such-option exits with $status"
grep -q "Unknown option 'no-such-option'" "$tmp/err" || fail "--no-such-option says '$(cat "$tmp/err")'"
[ ! -s "$tmp/out" ] || fail "--no-such-option printed '$(cat "$tmp/out")'"

# Started for real: a plain word of why not, and the tool that needs no display.
for arguments in "" "picture.fra"; do
    run $arguments
    status=$?
    [ $status -eq 1 ] || fail "'korvanta $arguments' exits with $status"
    grep -q "no display.*korvanta-render" "$tmp/err" || fail "'korvanta $arguments' says '$(cat "$tmp/err")'"
done

[ $failures -eq 0 ] && echo "without a display: all checks passed"
exit $((failures > 0))
