#!/usr/bin/env bash
# What `make run` starts: a dry run of the command line (no key or network needed), a live
# rewrite when the current provider is ready, then the desktop program when there is a display.
# Only bash and sed, so a fresh Debian needs nothing more.
set -uo pipefail
build=${1:-build}
cli="$build/src/cli/tessarine-cli"
app="$build/src/app/tessarine"
sample="so um I was wondering if you could maybe send over the Q2 numbers by thursday if possible"

# The dry run is one line of JSON ({"provider","model","system","user"}); show who would be asked
# and the message, not the long system prompt.
show_dry_run() {
  local json=$1 target user
  target=$(printf '%s' "$json" | sed -n 's/^{"provider":"\([^"]*\)","model":"\([^"]*\)",.*/\1, model \2/p')
  user=$(printf '%s' "$json" | sed -n 's/.*,"user":"\(.*\)"}$/\1/p')
  if [ -z "$target" ] || [ -z "$user" ]; then
    printf '%s\n' "$json"
    return
  fi
  # Every backslash left is a JSON escape that printf %b reads the same way, once \" is a quote.
  user=${user//\\\"/\"}
  echo "Provider: $target"
  echo "Message, sent after the rewrite instructions (the system prompt):"
  printf '%b\n' "$user" | sed 's/^/    /'
}

echo "== What Tessarine would send for a rewrite (tessarine-cli rewrite --dry-run):"
dry_run=$("$cli" rewrite --dry-run "$sample") || exit 1
show_dry_run "$dry_run"
echo

current=$("$cli" key status | grep '^\* ' || true)
if echo "$current" | grep -q -E '(no key needed|[^t] set)$'; then
  echo "== Live rewrite with your provider (tessarine-cli rewrite --why):"
  printf '%s\n' "$sample" | "$cli" rewrite --why || true
  echo
else
  echo "No API key for the current provider yet. To go live:"
  echo "  $cli key set openai          # paste the key; it is kept in the system keyring"
  echo "  $cli rewrite --why \"$sample\""
  echo "or use a local model: ollama serve & ollama pull llama3.1, then"
  echo "  $cli config set provider Ollama && $cli config set model llama3.1"
  echo
fi

if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && [ -x "$app" ]; then
  echo "== Starting tessarine. The window: click the Tessarine icon in the tray or press Ctrl+Alt+E;"
  echo "   Super+Ctrl+Alt+E rewrites the selected text of any app in place (X11 sessions)."
  exec "$app"
else
  echo "No display here: start $app from your desktop session."
fi
