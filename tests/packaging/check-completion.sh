#!/usr/bin/env bash
# check-completion.sh BUILD_DIR WORK_DIR: installs BUILD_DIR into a fresh
# prefix and drives the installed bash completion of vireo-skin as bash does
# on Tab: COMP_WORDS and COMP_CWORD set, the registered function called, its
# COMPREPLY compared with what this script expects.
set -uo pipefail
build=$1 work=$2
rm -rf "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1
script="$prefix/share/bash-completion/completions/vireo-skin"
[[ -f $script ]] || { echo "no completion at $script"; exit 1; }
source "$script"
function=$(complete -p vireo-skin | sed -n 's/.*-F \([^ ]*\) vireo-skin$/\1/p')
[[ -n $function ]] || { echo "vireo-skin has no completion function"; exit 1; }

mkdir -p "$work/files/skin dir/inner" "$work/files/art"
touch "$work/files/skin.png" "$work/files/skin dir/BACKIMG"
cd "$work/files" || exit 1

status=0
# expect "WORDS|EXPECTED": WORDS split at spaces, the last word the one being
# completed ("" for an empty one); EXPECTED the sorted replies, space-separated.
expect() {
    local words=${1%%|*} expected=${1#*|}
    read -ra COMP_WORDS <<<"vireo-skin $words"
    [[ $words == *" " || -z $words ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    "$function" vireo-skin "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
    [[ $got == "$expected" ]] || { echo "'vireo-skin $words<Tab>': got '$got', expected '$expected'"; status=1; }
}

expect "|build convert doctor import inspect new pack render settings unpack update verify"
expect "i|import inspect"
expect "-|--help --version"
expect "render skin.png --|--help --in-place --output --scale --screen --sheet --size"
expect "update x --|--fit --force --help"
expect "new --|--help"
expect "pack x --|--author --description --help --licence --name --output"
expect "pack s|skin dir"
expect "pack dir --author |"
expect "import --f|--fit --force --frame"
expect "convert --k|--keep-rows"
expect "import art -o out --fit |contain cover stretch"
expect "convert a.png --fit c|contain cover"
expect "import art --fit = s|stretch"
expect "import art --fit =|contain cover stretch"
expect "convert a.png --as t|tree_main256.bmp"
expect "convert a.png --as m|main256.bmp movie256.bmp music256.bmp music_main256.bmp"
expect "render BACKIMG --screen |ebook main music tree"
expect "render BACKIMG --size |"
expect "render s|skin dir skin.png"
expect "build s|skin dir"
expect "new |art skin dir"
expect "unpack BACKIMG -o s|skin dir"
expect "verify --back s|skin dir skin.png"
exit $status
