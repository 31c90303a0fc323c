#!/usr/bin/env bash
# check-manpages.sh BUILD_DIR WORK_DIR: installs BUILD_DIR into a fresh prefix
# and reads every installed manual page with man, as a user would, under
# C.UTF-8 and zh_CN.UTF-8 (the English pages under plain C too): man must
# print no warning and every section must have text. man picks the English
# page by default and the Chinese one in a Chinese locale.
set -uo pipefail
build=$1 work=$2
rm -rf "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1
man="$prefix/share/man"
locale -a | grep -qx 'zh_CN.utf8' ||
  { echo "no zh_CN.UTF-8 locale (scripts/install-deps makes it)"; exit 1; }
status=0

# read PAGE LOCALE: the page as man shows it, 80 columns wide, in $work/page.
read_page() {
  env -i PATH="$PATH" LANG="$2" MANWIDTH=80 man -l "$1" >"$work/page" 2>"$work/warnings"
}

# Every heading (a line at column 0 between man's header and footer) has
# indented text before the next heading.
empty_sections() {
  awk 'NR == 1 || /^$/ { next }
       { lines[++n] = $0 }
       END { for (i = 1; i < n; i++)
               if (lines[i] !~ /^ / && (i + 1 >= n || lines[i + 1] !~ /^ /)) print lines[i] }' "$work/page"
}

for page in "$man"/man1/*.1.gz "$man"/zh_CN/man1/*.1.gz; do
  name=${page#"$man/"}
  locales="C.UTF-8 zh_CN.UTF-8"
  [[ $name == man1/* ]] && locales="C $locales"
  for locale in $locales; do
    read_page "$page" "$locale"
    [[ -s $work/warnings ]] && { echo "$name under $locale:"; cat "$work/warnings"; status=1; }
    [[ $(grep -c . "$work/page") -gt 8 ]] || { echo "$name under $locale is nearly empty"; status=1; }
    sections=$(empty_sections)
    [[ -z $sections ]] || { echo "$name under $locale has empty sections: $sections"; status=1; }
  done
  read_page "$page" C.UTF-8
  if [[ $name == man1/* ]]; then
    grep -q '^DESCRIPTION$' "$work/page" || { echo "$name has no DESCRIPTION"; status=1; }
    ! grep -qP '[\x{4e00}-\x{9fff}]' "$work/page" || { echo "$name is not all English"; status=1; }
  else
    for heading in 名称 摘要 描述 选项 退出状态 参见; do
      grep -qx "$heading" "$work/page" || { echo "$name has no section $heading"; status=1; }
    done
  fi
done

# The Chinese page says what the English one says: each option named as often
# as there, and a synopsis for each of vireo-skin's commands.
options() { grep -oE -- '--[a-z-]+' "$work/page" | sort | uniq -c; }
for program in vireo-skin-builder vireo-skin; do  # vireo-skin's page read last
  read_page "$man/man1/$program.1.gz" C.UTF-8
  english=$(options)
  read_page "$man/zh_CN/man1/$program.1.gz" zh_CN.UTF-8
  [[ $(options) == "$english" ]] ||
    { echo "the Chinese page of $program names other options:";
      diff <(echo "$english") <(options); status=1; }
done
commands=$("$prefix/bin/vireo-skin" --help |
  awk '/^命令：/ { on = 1; next } on && /^  [a-z]/ { print $1 } /^$/ { on = 0 }')
for command in $commands; do
  grep -qE "^ +$command( |$)" "$work/page" ||
    { echo "the Chinese page of vireo-skin has no synopsis of $command"; status=1; }
done

# --help, the completion and both pages name the same options of every command:
# each long name once, a short one standing for its long name, --help aside.
source "$prefix/share/bash-completion/completions/vireo-skin"
help_options() {  # COMMAND: its options as --help lists them
  "$prefix/bin/vireo-skin" "$1" --help |
    sed -n 's/^  \(-\(.\), \)\{0,1\}--\([a-z-]*\).*/\3/p' | grep -vx help | sort | paste -sd' '
}
page_options() {  # PAGE COMMAND: the options of COMMAND's synopsis in PAGE
  local line shorts
  line=$(zcat "$1" | grep -E "^\\\\fB$2\\\\fR( |$)" | sed 's/\\-/-/g; s/\\f[BIR]//g; s/[][|]/ /g')
  shorts=$("$prefix/bin/vireo-skin" "$2" --help | sed -n 's/^  -\(.\), --\([a-z-]*\).*/s| -\1 | --\2 |g/p')
  sed "$shorts" <<<"$line " | grep -oE -- ' --[a-z-]+' | sed 's/ --//' | sort | paste -sd' '
}
for command in $commands; do
  expected=$(help_options "$command")
  completion=$(_vireo_skin_options "$command" | tr ' ' '\n' | sed 's/^--//' | grep -vx help | sort | paste -sd' ')
  [[ $completion == "$expected" ]] ||
    { echo "completion of $command: '$completion', --help: '$expected'"; status=1; }
  for page in "$man/man1/vireo-skin.1.gz" "$man/zh_CN/man1/vireo-skin.1.gz"; do
    got=$(page_options "$page" "$command")
    [[ $got == "$expected" ]] ||
      { echo "${page#"$man/"} on $command: '$got', --help: '$expected'"; status=1; }
  done
done

[[ $(ls "$man"/man1/*.1.gz | wc -l) == 2 && $(ls "$man"/zh_CN/man1/*.1.gz | wc -l) == 2 ]] ||
  { echo "expected two pages in man1 and two in zh_CN/man1"; status=1; }

# man's own choice by locale, from the installed tree.
for program in vireo-skin vireo-skin-builder; do
  english=$(env -i PATH="$PATH" MANPATH="$man" LANG=C.UTF-8 MANWIDTH=80 man "$program" 2>&1)
  chinese=$(env -i PATH="$PATH" MANPATH="$man" LANG=zh_CN.UTF-8 MANWIDTH=80 man "$program" 2>&1)
  grep -q '^NAME$' <<<"$english" || { echo "man $program under C.UTF-8 is not the English page"; status=1; }
  grep -q '^名称$' <<<"$chinese" || { echo "man $program under zh_CN.UTF-8 is not the Chinese page"; status=1; }
done
exit $status
