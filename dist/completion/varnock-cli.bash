# bash completion for varnock-cli
_varnock_cli()
{
    local cur prev words cword
    _init_completion || return

    local command=""
    local i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} == mutate ]]; then
            command=mutate
            break
        fi
    done

    case $prev in
        -n | --count | -s | --seed | -m | --mutations)
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
        if [[ $command == mutate ]]; then
            COMPREPLY=($(compgen -W '--count --mutations --seed --help' -- "$cur"))
        else
            COMPREPLY=($(compgen -W '--count --seed --plain --no-groups
                --match-case --no-sort --keep-duplicates --output --pattern
                --rules --help --version' -- "$cur"))
        fi
        return
    fi
    if [[ -z $command && $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W 'mutate' -- "$cur"))
    fi
} &&
    complete -F _varnock_cli varnock-cli
