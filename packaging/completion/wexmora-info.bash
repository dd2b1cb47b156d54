# bash completion for wexmora-info (loaded by bash-completion on first use).
# The options come from the program's own --help and the keys after --key
# from its --list, so both follow the program that is being completed.

_wexmora_info() {
    local cur prev words cword
    _init_completion || return

    case $prev in
        --key)
            local keys key word=$cur
            keys=$("$1" --list 2>/dev/null) || return
            # The word as typed: after an opening quote, or with its blanks
            # escaped ("E3-1230\ V"). No key holds a quote or a backslash.
            case $word in
                [\"\']*) word=${word:1} ;;
                *) word=${word//\\/} ;;
            esac
            while IFS= read -r key; do
                [[ $key == "$word"* ]] && COMPREPLY+=("$key")
            done <<<"$keys"
            # Readline then quotes the blank of "E3-1230 V2" as it does in
            # file names.
            compopt -o filenames 2>/dev/null
            return
            ;;
        --stored-language | --switch-language)
            COMPREPLY=($(compgen -W '0 1' -- "$cur"))
            return
            ;;
        --language)
            COMPREPLY=($(compgen -W 'en ru' -- "$cur"))
            return
            ;;
        --brands | --prometheus-file)
            _filedir
            return
            ;;
        --brand | --identifier)
            return # free text
            ;;
    esac

    COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
} &&
    complete -F _wexmora_info wexmora-info
