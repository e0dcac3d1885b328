#!/usr/bin/env bash
# The shell completion of tessarine-cli. Bash: the completion function run as bash runs it at a
# Tab, on a table of command lines, with the settings and saved prompts asked of the built
# program. Zsh and fish: their files parsed, where those shells are installed.
#   completion.sh COMPLETION_DIR CLI_DIR
set -uo pipefail
completion=$1
export PATH=$2:$PATH
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME=$home/config XDG_STATE_HOME=$home/state XDG_DATA_HOME=$home/data
tessarine-cli prompts save --name "Weekly summary" "Summarize the week in three bullets" >/dev/null &&
  tessarine-cli prompts save --name Tidy "Tidy up the wording" >/dev/null || exit 1
fail=0

# shellcheck source=/dev/null
source "$completion/tessarine-cli.bash"
function=$(complete -p tessarine-cli 2>/dev/null | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
if [ -z "$function" ]; then
  echo "bash: the completion file registers no function for tessarine-cli" >&2
  exit 1
fi

# Expected candidates (sorted, one space apart) | the words of the line, the last one being typed.
# "=" and the value after it are words of their own, as COMP_WORDBREAKS splits them.
while IFS='|' read -r expected line; do
  eval "words=($line)"
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMPREPLY=()
  "$function"
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  if [ "$got" != "$expected" ]; then
    echo "bash: $line <Tab> gives '$got', expected '$expected'" >&2
    fail=1
  fi
done <<'TABLE'
reply rewrite|tessarine-cli re
--help --version|tessarine-cli --
provider|tessarine-cli config set prov
Anthropic Custom Gemini Ollama OpenAI|tessarine-cli config set provider ''
1h 30m 5m whileRunning|tessarine-cli config set keepModelLoaded ''
false true|tessarine-cli config set autoPaste ''
|tessarine-cli config set model ''
defaultContext defaultTone|tessarine-cli config get def
anthropic|tessarine-cli key set an
clear set status|tessarine-cli key ''
--intent|tessarine-cli reply --int
--instruction --interactive|tessarine-cli ask --in
--interactive|tessarine-cli proofread --in
|tessarine-cli tone --in
casual concise|tessarine-cli rewrite --tone c
casual|tessarine-cli rewrite --tone = ca
chat email generic|tessarine-cli proofread --context '=' ''
Tidy Weekly\ summary|tessarine-cli ask --prompt ''
Weekly\ summary|tessarine-cli prompts delete W
refresh|tessarine-cli style r
TABLE

for shell in zsh fish; do
  file=$completion/_tessarine-cli
  [ "$shell" = fish ] && file=$completion/tessarine-cli.fish
  if ! command -v "$shell" >/dev/null; then
    echo "$shell is not installed: $(basename "$file") not parsed"
    continue
  fi
  flag=-n
  [ "$shell" = fish ] && flag=--no-execute
  "$shell" "$flag" "$file" || {
    echo "$shell cannot parse $(basename "$file")" >&2
    fail=1
  }
done
exit $fail
