#!/usr/bin/env bash
# korvanta-render's bash completion, as bash calls it: options, the names of formulas,
# colorings and scenes (each of which the program must take), and files by extension.
set -uo pipefail
completion=$1 render=$2
source "$completion" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Completes the last of the given words, split as bash splits them ('=' breaks words).
complete_words() {
    COMP_WORDS=(korvanta-render "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _korvanta_render
}
offered() { printf '%s\n' "${COMPREPLY[@]}"; }
# Whether a line of the offered words matches; not through a pipe, where a grep -q that is
# done early leaves printf a broken pipe, which pipefail reports as a failure.
offers() { grep -q "$@" <<<"$(offered)"; }

# Every option the --help names is offered, and those taking a value with '='.
complete_words -
for option in $("$render" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
    offers -xE -- "$option=?" || fail "option $option is not offered"
done
# Each option once, and one that takes a value only with its '='.
doubled=$(offered | sed 's/=$//' | sort | uniq -d)
[ -z "$doubled" ] || fail "offered more than once: $(tr '\n' ' ' <<<"$doubled")"
for option in $("$render" --help | grep -oE -- '--[a-z][a-z-]+=' | sed 's/=$//' | sort -u); do
    offers -x -- "$option=" || fail "$option is not offered with '='"
done
complete_words --form
[ "$(offered)" = "--formula=" ] || fail "--form completes to '$(offered)'"

# Names: each offered one, unquoted as the shell would, is taken by the program.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/renders"
for option in --formula --coloring --scene; do
    complete_words "$option" = ""
    [ ${#COMPREPLY[@]} -ge 7 ] || fail "$option offers only ${#COMPREPLY[@]} names"
    for word in "${COMPREPLY[@]}"; do
        eval "name=$word"
        "$render" --quiet --size=8x8 --no-values "$option=$name" -o "$tmp/renders/x.bmp" >/dev/null 2>&1 ||
            fail "$option offers '$word', which korvanta-render refuses"
    done
done
complete_words -c "Blue\\ L"
[ "$(offered)" = 'Blue\ Lagoon' ] || fail "-c 'Blue\\ L' completes to '$(offered)'"
complete_words --formula = jul
[ "$(offered | sort | tr '\n' ' ')" = 'Julia Julia3 Julia3\ Set Julia\ Set ' ] ||
    fail "--formula=jul completes to '$(offered | tr '\n' ' ')'"
complete_words --scene "Day"
[ "$(offered)" = 'Day\ of\ the\ Tentacle' ] || fail "--scene Day completes to '$(offered)'"
complete_words --threads ""
[ ${#COMPREPLY[@]} -eq 0 ] || fail "--threads offers '$(offered)'"

# Files: folders, and the files whose extension the program reads or writes.
mkdir -p "$tmp/files/pictures"
touch "$tmp"/files/{a.png,b.FRA,c.txt,d.wmf}
cd "$tmp/files"
complete_words -o ""
[ "$(offered | sort | tr '\n' ' ')" = 'a.png b.FRA d.wmf pictures ' ] ||
    fail "-o offers '$(offered | tr '\n' ' ')'"
complete_words --document = ""
[ "$(offered | sort | tr '\n' ' ')" = 'b.FRA pictures ' ] ||
    fail "--document= offers '$(offered | tr '\n' ' ')'"

[ $failures -eq 0 ] && echo "completion: all checks passed"
exit $((failures > 0))
