# The completion itself: works alone and under the bash-completion package.

# Offers the words of list $1 that begin with $2, in any case as the program takes them,
# quoted for the command line and each after $3.
_korvanta_render_offer()
{
    local -a words
    local word typed=${2#[\"\']}
    typed=${typed//\\/}
    _korvanta_render_list "$1"
    for word in "${words[@]}"; do
        [[ ${word,,} == "${typed,,}"* ]] && COMPREPLY+=("$3$(printf '%q' "$word")")
    done
    return 0
}

# Offers folders and the files whose extension, in any case, is one of $1 (a|b|c).
_korvanta_render_files()
{
    local -a found
    local file
    compopt -o filenames 2>/dev/null
    mapfile -t found < <(compgen -f -- "$2")
    for file in "${found[@]}"; do
        [[ -d $file || ${file,,} =~ \.($1)$ ]] && COMPREPLY+=("$3$file")
    done
    return 0
}

_korvanta_render()
{
    COMPREPLY=()
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]:-}
    local option="" prefix="" value
    local -a words
    if [[ $cur == --*=* ]]; then
        # '=' does not break words in this shell: the option and its value are one word.
        option=${cur%%=*} prefix=${cur%%=*}= cur=${cur#*=}
    elif [[ $cur == = && $prev == --* ]]; then
        option=$prev cur=""
    elif [[ $prev == = ]] && ((COMP_CWORD >= 2)) && [[ ${COMP_WORDS[COMP_CWORD-2]} == --* ]]; then
        option=${COMP_WORDS[COMP_CWORD-2]}
    else
        _korvanta_render_list values
        for value in "${words[@]}"; do
            [[ $prev == "$value" ]] && option=$prev
        done
    fi

    case $option in
    -d | --document) _korvanta_render_files fra "$cur" "$prefix" ;;
    -o | --output)
        _korvanta_render_list extensions
        _korvanta_render_files "$(IFS='|'; echo "${words[*]}")" "$cur" "$prefix"
        ;;
    -s | --scene) _korvanta_render_offer scenes "$cur" "$prefix" ;;
    -f | --formula) _korvanta_render_offer formulas "$cur" "$prefix" ;;
    -c | --coloring) _korvanta_render_offer colorings "$cur" "$prefix" ;;
    ?*) ;; # numbers: nothing to offer
    *)
        # The program takes no other arguments: offer options.
        _korvanta_render_list options
        mapfile -t COMPREPLY < <(compgen -W "${words[*]}" -- "$cur")
        if ((${#COMPREPLY[@]} == 1)) && [[ ${COMPREPLY[0]} == *= ]]; then
            compopt -o nospace 2>/dev/null
        fi
        ;;
    esac
    return 0
}

complete -F _korvanta_render korvanta-render
