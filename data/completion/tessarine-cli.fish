# fish completion for tessarine-cli
#
# The settings and their values and the saved prompts' names are asked of the program itself at
# completion time, so they follow the installed version and the user's own prompts.

set -l modes rewrite proofread reply ask tone

# KEY<TAB>VALUE VALUE... a line, from the hidden `config choices`.
function __tessarine_cli_choices
    set -l program (commandline -opc)[1]
    $program config choices 2>/dev/null
end

# The names in `prompts list`: each one is followed by its instruction, indented.
function __tessarine_cli_prompt_names
    set -l program (commandline -opc)[1]
    $program prompts list 2>/dev/null |
        awk '/^    / { if (seen && previous !~ /^[ \t]/) print previous } { previous = $0; seen = 1 }'
end

# True when the words after the program are exactly these (the one being typed comes next).
function __tessarine_cli_after
    set -l words (commandline -opc)
    set -e words[1]
    test "$words" = "$argv"
end

function __tessarine_cli_config_values
    set -l key (commandline -opc)[4]
    __tessarine_cli_choices | while read -l name values
        if test "$name" = "$key"
            string split ' ' -- $values
        end
    end
end

complete -c tessarine-cli -f

# Commands
complete -c tessarine-cli -n __fish_use_subcommand -a rewrite -d 'Rewrite the text in the chosen tone'
complete -c tessarine-cli -n __fish_use_subcommand -a proofread -d 'Fix spelling, grammar and punctuation'
complete -c tessarine-cli -n __fish_use_subcommand -a reply -d 'Draft a reply to a message'
complete -c tessarine-cli -n __fish_use_subcommand -a ask -d 'Apply an instruction or a saved prompt'
complete -c tessarine-cli -n __fish_use_subcommand -a tone -d 'Describe how the text comes across'
complete -c tessarine-cli -n __fish_use_subcommand -a diff -d 'Word diff of two files'
complete -c tessarine-cli -n __fish_use_subcommand -a models -d 'List the models of the provider'
complete -c tessarine-cli -n __fish_use_subcommand -a history -d 'List the past requests'
complete -c tessarine-cli -n __fish_use_subcommand -a key -d 'Store, clear or show the API keys'
complete -c tessarine-cli -n __fish_use_subcommand -a config -d 'List, get or set a setting'
complete -c tessarine-cli -n __fish_use_subcommand -a prompts -d 'List and change the saved prompts'
complete -c tessarine-cli -n __fish_use_subcommand -a style -d 'Show, refresh or clear the voice profile'
complete -c tessarine-cli -n __fish_use_subcommand -a open -d 'Hand a tessarine:// URL to Tessarine'
complete -c tessarine-cli -n __fish_use_subcommand -a shortcuts -d 'Show, install or remove the global hotkeys of this desktop'
complete -c tessarine-cli -n __fish_use_subcommand -a doctor -d 'What works in this session and why not'
complete -c tessarine-cli -n __fish_use_subcommand -a help -d 'Print the usage'
complete -c tessarine-cli -n __fish_use_subcommand -s h -l help -d 'Print the usage'
complete -c tessarine-cli -n __fish_use_subcommand -l version -d 'Print the version'

# The modes' options
set -l mode "__fish_seen_subcommand_from $modes"
complete -c tessarine-cli -n $mode -s h -l help -d 'Print the options of the mode'
complete -c tessarine-cli -n $mode -l tone -x -a 'professional casual friendly concise' -d 'Tone of the text'
complete -c tessarine-cli -n $mode -l context -x -a 'email chat generic' -d 'Where the text goes'
complete -c tessarine-cli -n $mode -l adjust -x -a 'shorter longer simpler casual formal friendlier' -d Adjustment
complete -c tessarine-cli -n $mode -l provider -x -a 'openai anthropic gemini ollama custom' -d 'Provider for this run'
complete -c tessarine-cli -n $mode -l model -x -d 'Model for this run'
complete -c tessarine-cli -n $mode -l no-style -d 'Leave out the style profile'
complete -c tessarine-cli -n $mode -l why -d 'Print the reasons after the text'
complete -c tessarine-cli -n $mode -l json -d 'Print the result as JSON'
complete -c tessarine-cli -n $mode -l dry-run -d 'Send nothing; print what would be sent'
complete -c tessarine-cli -n '__fish_seen_subcommand_from rewrite proofread ask' -l interactive -d 'Keep or drop each change'
complete -c tessarine-cli -n '__fish_seen_subcommand_from reply' -l intent -x -d 'What you want to say'
complete -c tessarine-cli -n '__fish_seen_subcommand_from ask' -l instruction -x -d 'What to do with the text'
complete -c tessarine-cli -n '__fish_seen_subcommand_from ask' -l prompt -x -a '(__tessarine_cli_prompt_names)' -d 'A saved prompt'

# The other commands
complete -c tessarine-cli -n '__fish_seen_subcommand_from diff' -F
complete -c tessarine-cli -n '__fish_seen_subcommand_from diff models history shortcuts doctor' -l json -d 'Print JSON'
complete -c tessarine-cli -n '__tessarine_cli_after key' -a 'set clear status'
complete -c tessarine-cli -n '__tessarine_cli_after key set; or __tessarine_cli_after key clear' -a 'openai anthropic gemini ollama custom'
complete -c tessarine-cli -n '__tessarine_cli_after config' -a 'list get set'
complete -c tessarine-cli -n '__tessarine_cli_after config get; or __tessarine_cli_after config set' -a '(__tessarine_cli_choices | string replace -r "\t.*" "")'
complete -c tessarine-cli -n '__fish_seen_subcommand_from config; and test (count (commandline -opc)) -eq 4; and test (commandline -opc)[3] = set' -a '(__tessarine_cli_config_values)'
complete -c tessarine-cli -n '__tessarine_cli_after prompts' -a 'list save rename delete export import'
complete -c tessarine-cli -n '__tessarine_cli_after prompts rename; or __tessarine_cli_after prompts delete' -a '(__tessarine_cli_prompt_names)'
complete -c tessarine-cli -n '__tessarine_cli_after prompts export; or __tessarine_cli_after prompts import' -F
complete -c tessarine-cli -n '__tessarine_cli_after prompts save' -l name -x -d 'Name of the prompt'
complete -c tessarine-cli -n '__tessarine_cli_after style' -a 'show refresh clear'
complete -c tessarine-cli -n '__tessarine_cli_after shortcuts' -a 'status install remove'
