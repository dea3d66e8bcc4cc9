#!/usr/bin/env bash
# Writes korvanta-render's bash completion: the options from its own --help and the names it
# accepts from korvanta-list-names, then the hand-written completion, so that neither list
# can fall behind the program.
# Usage: make-completion.sh KORVANTA-RENDER KORVANTA-LIST-NAMES COMPLETION OUTPUT
set -euo pipefail
render=$1 names=$2 completion=$3 output=$4

help=$("$render" --help)
# The option column: lines that start with an option, up to the two spaces before its text.
# Only lines indented as options are: a description's continuation may begin with one too.
fields=$(sed -nE 's/^ {1,8}(-([^ ]| [^ ])*) {2,}.*$/\1/p; s/^ {1,8}(-([^ ]| [^ ])*)$/\1/p' <<<"$help")
[ -n "$fields" ] || { echo "make-completion.sh: no options in '$render --help'" >&2; exit 1; }

options=() values=()
while IFS= read -r field; do
    takes_value=0
    [[ $field == *=* ]] && takes_value=1
    for word in $(grep -oE -- '(^|[ ,])--?[a-zA-Z][a-zA-Z-]*' <<<"$field" | tr -d ' ,'); do
        if [ $takes_value = 1 ]; then
            values+=("$word")
            [[ $word == --* ]] && word+="="
        fi
        options+=("$word")
    done
done <<<"$fields"
# An option read twice means a line was taken for what it is not.
doubled=$(printf '%s\n' "${options[@]%=}" | sort | uniq -d)
[ -z "$doubled" ] || { echo "make-completion.sh: options read twice: $doubled" >&2; exit 1; }

list() {
    local name quoted=()
    while IFS= read -r name; do
        [ -n "$name" ] && quoted+=("$(printf '%q' "$name")")
    done < <("$names" "$1")
    [ ${#quoted[@]} -gt 0 ] || { echo "make-completion.sh: no $1" >&2; exit 1; }
    echo "${quoted[*]}"
}

{
    echo "# bash completion for korvanta-render; generated from its --help, do not edit."
    echo
    echo "# The words of one kind: options, options that take a value, or names the program takes."
    echo "_korvanta_render_list()"
    echo "{"
    echo "    case \$1 in"
    echo "    options) words=(${options[*]}) ;;"
    echo "    values) words=(${values[*]}) ;;"
    for kind in formulas colorings scenes extensions; do
        echo "    $kind) words=($(list $kind)) ;;"
    done
    echo "    esac"
    echo "}"
    echo
    cat "$completion"
} >"$output.tmp"
mv "$output.tmp" "$output"
