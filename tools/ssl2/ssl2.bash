# bash completion for ssl2: subcommands, their options, and file names where a
# ticket, capability file or directory is expected.
_ssl2() {
    local cur prev words cword
    _init_completion || return
    local commands="check show convert embed cfg deliver normalize queue capas preflight preview diff"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    case $prev in
        --dialect) COMPREPLY=($(compgen -W "1.5 3.0 4.0 5.0" -- "$cur")); return ;;
        --dir|--to|--base|--svg) _filedir -d; return ;;
        --capas) _filedir ini; return ;;
        --plotter|--statement|--access|--old-access|--suffix|--resolution) return ;;
    esac
    if [[ $cur == -* ]]; then
        local options
        options=$("${words[0]}" "${words[1]}" --help 2>/dev/null |
            grep -oE -- '--[a-z][a-z0-9-]*|(^|[ ,])-[a-z]' | tr -d ' ,' | sort -u)
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    _filedir
}
complete -F _ssl2 ssl2
