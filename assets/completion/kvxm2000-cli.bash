# Bash completion for kvxm2000-cli: commands, options, editions, rosters, and files by the
# extension the word's place takes (folders always, to get there).

# Sets COMPREPLY to the folders and the files ending in one of the given extensions (in any
# letter case) that begin with the word being completed.
_kvxm2000_cli_files() {
    local IFS=$'\n' file extension
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -d -- "$cur"))
    for file in $(compgen -f -- "$cur"); do
        [[ -d $file ]] && continue
        for extension in "$@"; do
            if [[ ${file,,} == *."$extension" ]]; then
                COMPREPLY+=("$file")
                break
            fi
        done
    done
}

_kvxm2000_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local images="nes bin smc"
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "detect import export patch ratings to-csv from-csv --help --version" \
            -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}
    case $prev in
    --edition)
        COMPREPLY=($(compgen -W "auto nes genesis1 genesis2 genesis3 snes1 snes2 snes3 psx" \
            -- "$cur"))
        return
        ;;
    --roster)
        COMPREPLY=($(compgen -W "1 2 3" -- "$cur"))
        return
        ;;
    --scale)
        _kvxm2000_cli_files trs
        return
        ;;
    --html)
        _kvxm2000_cli_files html htm
        return
        ;;
    --patch)
        _kvxm2000_cli_files ips bps
        return
        ;;
    esac

    # Which file the word is: count the files before it, skipping options and their values.
    local i files=0 optionsEnded=
    for ((i = 2; i < COMP_CWORD; i++)); do
        if [[ -n $optionsEnded ]]; then
            ((files++))
            continue
        fi
        case ${COMP_WORDS[i]} in
        --edition | --roster | --scale | --html | --patch) ((i++)) ;;
        --) optionsEnded=yes ;;
        --*) ;;
        *) ((files++)) ;;
        esac
    done
    if [[ -z $optionsEnded && $cur == -* ]]; then
        local options="--force --"
        case $command in
        import) options="--edition --roster $options" ;;
        export) options="--edition --auto-assign --fix-checksum --patch $options" ;;
        ratings) options="--scale --html $options" ;;
        detect) options="--" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command:$files in
    detect:0 | import:0 | export:1 | patch:0 | patch:2) _kvxm2000_cli_files $images ;;
    patch:1) _kvxm2000_cli_files ips bps ;;
    import:1 | export:0 | ratings:0 | to-csv:0 | from-csv:1) _kvxm2000_cli_files kvx ;;
    to-csv:1 | from-csv:0) _kvxm2000_cli_files csv ;;
    esac
}

complete -F _kvxm2000_cli kvxm2000-cli
