#!/usr/bin/env bash
# The manual pages: installed by `cmake --install`, read by groff without a warning and by
# lexgrog, and naming every command, option and exit status the programs' --help lists.
#   manpages.sh BUILD_DIR TESSARINE TESSARINE_CLI
set -uo pipefail
build=$1 app=$2 cli=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log" >&2
  exit 1
fi
rm -f "$prefix.log"
fail=0
complain() {
  echo "$*" >&2
  fail=1
}

# What a page must name: the options and commands its program's help shows.
app_help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$app" --help) || complain "tessarine --help failed"
cli_help=$("$cli" --help) || complain "tessarine-cli --help failed"
for mode in rewrite proofread reply ask tone; do
  cli_help+=$'\n'$("$cli" "$mode" --help) || complain "tessarine-cli $mode --help failed"
done
expected_in() {
  case $1 in
    tessarine) grep -o -- '--[a-z-]*' <<<"$app_help" ;;
    tessarine-cli)
      grep -o -- '--[a-z-]*\|tessarine-cli [a-z]\+' <<<"$cli_help" | sed 's/^tessarine-cli //'
      sed -n '/^Exit status/,/^$/p' <<<"$cli_help" | grep -o '\b[0-9]\+\b'
      ;;
  esac
}

for page in tessarine tessarine-cli; do
  file=$prefix/share/man/man1/$page.1
  if [ ! -f "$file" ]; then
    complain "$page.1 is not installed under share/man/man1"
    continue
  fi
  warnings=$(groff -ww -man -Tutf8 "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || complain "groff warns about $page.1: $warnings"
  lexgrog "$file" >/dev/null || complain "lexgrog finds no NAME section in $page.1"
  text=$(groff -man -Tascii -P -cbou "$file" 2>/dev/null)
  for word in $(expected_in "$page" | sort -u); do
    grep -qw -- "$word" <<<"$text" || complain "$page.1 does not mention $word"
  done
done
exit $fail
