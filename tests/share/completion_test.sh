#!/usr/bin/env bash
# The bash completion of quorvane-icons, sourced into bash and asked as bash asks it on Tab.
#   completion_test.sh COMPLETION_FILE
set -euo pipefail
source "$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/icons.d"
touch "$scratch/icons.dll" "$scratch/other.exe"

failures=0
complete_words() {  # complete_words WORD... -> COMPREPLY for the last word, sorted, one a line
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _quorvane_icons
    printf '%s\n' "${COMPREPLY[@]}" | sort
}
expect() {  # expect "WORDS" EXPECTED: the completions of the words, "|" between them
    local got
    read -ra words <<<"$1"
    [[ -z $1 || $1 == *" " ]] && words+=("")
    got=$(complete_words quorvane-icons "${words[@]}" | paste -sd'|')
    if [ "$got" != "$2" ]; then
        echo "quorvane-icons $1<Tab>: '$got', expected '$2'" >&2
        failures=$((failures + 1))
    fi
}

expect "" "--help|--version|extract|list|pack|save|thumbnail"
expect "ex" "extract"
expect "list --j" "--jobs|--json"
expect "thumbnail -" "--help|--verbose|-s"
expect "save --p" "--png"
expect "extract -o $scratch/ic" "$scratch/icons.d"
expect "extract $scratch/ic" "$scratch/icons.d|$scratch/icons.dll"
expect "extract --png " ""
expect "list --bogus-prefix" ""
[ "$failures" = 0 ] && echo "completion: ok"
exit "$failures"
