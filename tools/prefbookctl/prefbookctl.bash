# bash completion for prefbookctl. Model names, kinds, setting names, profile indices and artworks
# come from the tool itself (the last two from the --base folder on the line), so stores added later
# complete without touching this file.
_prefbookctl() {
    local cur prev words cword
    _init_completion 2>/dev/null || {
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    }
    local tool=${words[0]}

    # Positional words, options and their values left out; the base folder kept for the tool's asks.
    local positional=() base=() i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --base) base=(--base "${words[i+1]}"); ((i++)) ;;
            --kind|--profile|--aim-mode) ((i++)) ;;
            -*) ;;
            *) positional+=("${words[i]}") ;;
        esac
    done
    _prefbookctl_ask() { "$tool" "${base[@]}" __complete "$@" 2>/dev/null; }

    case $prev in
        --base)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return ;;
        --profile)
            mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask profiles "${positional[1]}")" -- "$cur")
            return ;;
        --aim-mode)
            mapfile -t COMPREPLY < <(compgen -W "0 1 2 3 4" -- "$cur")
            return ;;
    esac

    if [[ $prev == --kind ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask kinds "${positional[1]}")" -- "$cur")
        return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "--base --json --kind --profile --aim-mode --force --all --dry-run --help --version" -- "$cur")
        return
    fi

    local command=${positional[0]} IFS=$'\n' j
    # restore-backup FILE [MODEL...]: any number of stores, "settings" for the settings files.
    if [[ $command == restore-backup && ${#positional[@]} -ge 2 ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask models "$command")"$'\nsettings' -- "$cur")
        return
    fi
    case ${#positional[@]} in
        0) mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask commands)" -- "$cur") ;;
        1)
            case $command in
                show|rename|export|import|doctor|restore|diff|clean|artwork)
                    mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask models "$command")" -- "$cur") ;;
                settings) mapfile -t COMPREPLY < <(compgen -W $'get\nset' -- "$cur") ;;
                help) mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask commands)" -- "$cur") ;;
                validate|backup|restore-backup)
                    compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
            esac ;;
        2)
            case $command in
                settings)
                    local which=
                    [[ ${positional[1]} == set ]] && which=writable
                    mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask settings $which)" -- "$cur")
                    for j in "${!COMPREPLY[@]}"; do COMPREPLY[j]=$(printf '%q' "${COMPREPLY[j]}"); done ;;
                show|rename|artwork)
                    mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask profiles "${positional[1]}")" -- "$cur") ;;
                export|import) compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
            esac ;;
        3)
            case $command in
                settings)
                    [[ ${positional[1]} == set ]] &&
                        mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask values "${positional[2]}")" -- "$cur") ;;
                artwork)
                    mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask artworks "${positional[2]}")" -- "$cur")
                    for j in "${!COMPREPLY[@]}"; do COMPREPLY[j]=$(printf '%q' "${COMPREPLY[j]}"); done ;;
            esac ;;
        4)
            if [[ $command == artwork ]]; then
                mapfile -t COMPREPLY < <(compgen -W "$(_prefbookctl_ask artworks "${positional[2]}" "${positional[3]}")" -- "$cur")
                for j in "${!COMPREPLY[@]}"; do COMPREPLY[j]=$(printf '%q' "${COMPREPLY[j]}"); done
            fi ;;
        5) [[ $command == artwork ]] && { compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$cur"); } ;;
    esac
}
complete -F _prefbookctl prefbookctl
