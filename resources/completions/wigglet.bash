# bash completion for wigglet(1)

_wigglet() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    case $prev in
    --settings | --trace)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    esac

    # The command among the words before, skipping the paths that follow options.
    local command="" given=0 i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --settings | --trace) ((i++)) ;;
        -*) ;;
        *)
            if [ -z "$command" ]; then command=${COMP_WORDS[i]}; else given=$((given + 1)); fi
            ;;
        esac
    done

    local words
    case $command in
    "") words="shake stop toggle status doctor --settings --trace --verbose --version --help" ;;
    shake) [ "$given" -eq 0 ] && words="0 5 10 30 60 120 240 480 540 720" ;;
    status|doctor) words="--json" ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}

complete -F _wigglet wigglet
