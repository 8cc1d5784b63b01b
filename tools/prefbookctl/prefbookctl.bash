# bash completion for prefbookctl. Model names, kinds and setting names come from the tool itself,
# so stores added later complete without touching this file.
_prefbookctl() {
    local cur prev words cword
    _init_completion 2>/dev/null || {
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    }
    local tool=${words[0]}

    case $prev in
        --base)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return ;;
        --profile|--aim-mode)
            mapfile -t COMPREPLY < <(compgen -W "0 1 2 3 4" -- "$cur")
            return ;;
    esac

    # Positional words, options and their values left out.
    local positional=() i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --base|--kind|--profile|--aim-mode) ((i++)) ;;
            -*) ;;
            *) positional+=("${words[i]}") ;;
        esac
    done

    if [[ $prev == --kind ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$("$tool" __complete kinds "${positional[1]}" 2>/dev/null)" -- "$cur")
        return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "--base --json --kind --profile --aim-mode --force --dry-run --help --version" -- "$cur")
        return
    fi

    local command=${positional[0]}
    # restore-backup FILE [MODEL...]: any number of stores, "settings" for the settings files.
    if [[ $command == restore-backup && ${#positional[@]} -ge 2 ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$("$tool" __complete models 2>/dev/null) settings" -- "$cur")
        return
    fi
    case ${#positional[@]} in
        0) mapfile -t COMPREPLY < <(compgen -W "$("$tool" __complete commands 2>/dev/null)" -- "$cur") ;;
        1)
            case $command in
                show|rename|export|import|doctor|restore|diff)
                    mapfile -t COMPREPLY < <(compgen -W "$("$tool" __complete models 2>/dev/null)" -- "$cur") ;;
                settings) mapfile -t COMPREPLY < <(compgen -W "get set" -- "$cur") ;;
                validate|backup|restore-backup)
                    compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
            esac ;;
        2)
            case $command in
                settings)
                    local IFS=$'\n'
                    mapfile -t COMPREPLY < <(compgen -W "$("$tool" __complete settings 2>/dev/null)" -- "$cur")
                    local j
                    for j in "${!COMPREPLY[@]}"; do COMPREPLY[j]=$(printf '%q' "${COMPREPLY[j]}"); done ;;
                export|import) compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
            esac ;;
    esac
}
complete -F _prefbookctl prefbookctl
