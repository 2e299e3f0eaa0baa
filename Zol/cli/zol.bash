# Bash completion for zol.

_zol()
{
    local cur prev words cword
    _init_completion 2>/dev/null || {
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    }

    local commands="status start pause resume stop discard log edit delete restore deleted
        clear-deleted projects project tasks search export books name studio report settings
        update help"
    local command=${words[1]}
    local sub=${words[2]}

    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
        --output|--csv|--package)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
        --range)
            COMPREPLY=($(compgen -W "week month threeMonths sixMonths yearToDate year all" -- "$cur"))
            return ;;
    esac

    local options=""
    case $command in
        status|deleted) options="--json" ;;
        start) options="--note --task --internal" ;;
        log) options="--day --week --month --json" ;;
        edit) options="--start --end --note --task" ;;
        projects) options="--all --json" ;;
        project)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "add edit archive unarchive remove next" -- "$cur"))
                return
            fi
            case $sub in
                add) options="--client --name" ;;
                edit) options="--name --client --number" ;;
            esac ;;
        tasks)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "add remove move on off --json" -- "$cur"))
                return
            fi
            [[ $sub == move && $cword -eq 4 ]] && { COMPREPLY=($(compgen -W "up down" -- "$cur")); return; } ;;
        search) options="--range --json" ;;
        export)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "csv json" -- "$cur"))
                return
            fi
            options="--period --all --output" ;;
        books)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "add open remove empty --json" -- "$cur"))
                return
            fi
            case $sub in
                add) options="--prefix --digits --year --local" ;;
                empty) options="--confirm" ;;
            esac ;;
        studio)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "folder disconnect sync upload --json" -- "$cur"))
                return
            fi
            case $sub in
                folder) COMPREPLY=($(compgen -d -- "$cur")); return ;;
                sync) options="--force" ;;
            esac ;;
        report) options="--query --output --csv --package" ;;
        settings)
            if [[ $cword -eq 2 ]]; then
                COMPREPLY=($(compgen -W "ui.longRunningWarningHours ui.hotKeyEnabled machine.name
                    share.folder share.enabled share.autoUpload machine.id idle.enabled
                    idle.minutes reminders.enabled reminders.firstMinutes reminders.repeatMinutes
                    admin.current setup.completed" -- "$cur"))
                return
            fi ;;
        help)
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
            return ;;
    esac
    COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
}

complete -F _zol zol
