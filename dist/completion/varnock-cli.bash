# bash completion for varnock-cli
_varnock_cli()
{
    local cur prev words cword
    _init_completion || return

    local command=""
    local i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            mutate | check | substitute)
                command=${words[i]}
                break
                ;;
        esac
    done

    case $prev in
        -n | --count | -s | --seed | -m | --mutations | --reject | --filter | --from | --to)
            return
            ;;
        -o | --output)
            _filedir
            return
            ;;
        --pattern)
            _filedir vnk
            return
            ;;
        --rules)
            _filedir '@(nam|txt)'
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        case $command in
            mutate) COMPREPLY=($(compgen -W '--count --mutations --seed --help' -- "$cur")) ;;
            check) COMPREPLY=($(compgen -W '--help' -- "$cur")) ;;
            substitute) COMPREPLY=($(compgen -W '--from --to --shuffle --seed --help' -- "$cur")) ;;
            *) COMPREPLY=($(compgen -W '--count --seed --plain --no-groups
                --match-case --no-sort --keep-duplicates --output --distinct
                --possible --reject --filter --random --pattern --rules --help
                --version' -- "$cur")) ;;
        esac
        return
    fi
    if [[ $command == check ]]; then
        _filedir '@(vnk|nam|txt)'
    elif [[ -z $command && $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W 'mutate check substitute' -- "$cur"))
    fi
} &&
    complete -F _varnock_cli varnock-cli
