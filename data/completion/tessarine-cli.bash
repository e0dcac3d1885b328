# bash completion for tessarine-cli
#
# The settings and their values and the saved prompts' names are asked of the program itself at
# completion time, so they follow the installed version and the user's own prompts.

# KEY<TAB>VALUE VALUE... a line, from the hidden `config choices`.
_tessarine_cli_choices() {
    "$1" config choices 2>/dev/null
}

# The names in `prompts list`: each one is followed by its instruction, indented.
_tessarine_cli_prompt_names() {
    "$1" prompts list 2>/dev/null |
        awk '/^    / { if (seen && previous !~ /^[ \t]/) print previous } { previous = $0; seen = 1 }'
}

_tessarine_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local program=${COMP_WORDS[0]/#\~/$HOME}
    COMPREPLY=()
    # COMP_WORDBREAKS splits "--tone=ca" into "--tone" "=" "ca".
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = && $COMP_CWORD -ge 3 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    local modes="rewrite proofread reply ask tone"
    local kinds="openai anthropic gemini ollama custom"

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$modes diff models history key config prompts style \
            open shortcuts doctor help --help --version" -- "$cur")
        return
    fi

    local command=${COMP_WORDS[1]} verb=${COMP_WORDS[2]}
    local words=
    case $command in
        rewrite | proofread | reply | ask | tone)
            case $prev in
                --tone) words="professional casual friendly concise" ;;
                --context) words="email chat generic" ;;
                --adjust) words="shorter longer simpler casual formal friendlier" ;;
                --provider) words=$kinds ;;
                --prompt)
                    local name
                    while IFS= read -r name; do
                        [[ $name == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
                    done < <(_tessarine_cli_prompt_names "$program")
                    return
                    ;;
                --model | --intent | --instruction) return ;;
                *)
                    [[ $cur == -* ]] || return
                    words="--tone --context --adjust --provider --model --no-style --why --json
                        --dry-run --help"
                    case $command in
                        reply) words+=" --intent" ;;
                        ask) words+=" --instruction --prompt --interactive" ;;
                        rewrite | proofread) words+=" --interactive" ;;
                    esac
                    ;;
            esac
            ;;
        diff)
            if [[ $cur == -* ]]; then
                words=--json
            else
                compopt -o filenames 2>/dev/null
                mapfile -t COMPREPLY < <(compgen -f -- "$cur")
                return
            fi
            ;;
        models | history | doctor) ((COMP_CWORD == 2)) && words=--json ;;
        shortcuts)
            ((COMP_CWORD == 2)) && words="status install remove --json"
            ((COMP_CWORD == 3)) && [[ $verb != --json ]] && words=--json
            ;;
        key)
            if ((COMP_CWORD == 2)); then
                words="set clear status"
            elif ((COMP_CWORD == 3)) && [[ $verb == set || $verb == clear ]]; then
                words=$kinds
            fi
            ;;
        config)
            if ((COMP_CWORD == 2)); then
                words="list get set"
            elif ((COMP_CWORD == 3)) && [[ $verb == get || $verb == set ]]; then
                words=$(_tessarine_cli_choices "$program" | cut -f 1)
            elif ((COMP_CWORD == 4)) && [[ $verb == set ]]; then
                words=$(_tessarine_cli_choices "$program" |
                    awk -F '\t' -v key="${COMP_WORDS[3]}" '$1 == key { print $2 }')
            fi
            ;;
        prompts)
            if ((COMP_CWORD == 2)); then
                words="list save rename delete export import"
            elif ((COMP_CWORD == 3)); then
                case $verb in
                    save) words=--name ;;
                    rename | delete)
                        local name
                        while IFS= read -r name; do
                            [[ $name == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
                        done < <(_tessarine_cli_prompt_names "$program")
                        return
                        ;;
                    export | import)
                        compopt -o filenames 2>/dev/null
                        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
                        return
                        ;;
                esac
            fi
            ;;
        style) ((COMP_CWORD == 2)) && words="show refresh clear" ;;
    esac
    [[ -n $words ]] && mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    return 0
}

complete -F _tessarine_cli tessarine-cli
