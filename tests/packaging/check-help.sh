#!/usr/bin/env bash
# check-help.sh VIREO_SKIN VIREO_SKIN_BUILDER: every non-empty line of both
# programs' --help, and of each vireo-skin command's (the commands taken from
# the program's own list), carries Chinese text; none of Qt's or a parser's
# English headings is left.
set -uo pipefail
cli=$1 window=$2
status=0
check() {
  local text
  text=$("$@") || { echo "'$*' failed"; status=1; return; }
  local english
  english=$(grep . <<<"$text" | grep -vP '[\x{4e00}-\x{9fff}]')
  [[ -z $english ]] || { echo "'$*' has lines without Chinese:"; echo "$english"; status=1; }
  ! grep -qE 'Usage:|Options:|Arguments:|Commands:|Displays' <<<"$text" ||
    { echo "'$*' has an English heading"; status=1; }
}
check "$window" --help
check "$cli" --help
commands=$("$cli" --help | awk '/^命令：/ { on = 1; next } on && /^  [a-z]/ { print $1 } /^$/ { on = 0 }')
[[ $(wc -w <<<"$commands") -ge 9 ]] || { echo "the command list is short: $commands"; status=1; }
for command in $commands; do check "$cli" "$command" --help; done
exit $status
