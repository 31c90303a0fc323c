#!/usr/bin/env bash
# Holds every `#include "folder/..."` and every Qt include of src/ against the
# two tables of src/README.md (the cores, then the window and Qt parts, each
# from the ground up). Prints each include the tables do not allow, and each
# table row that names a part below it, and fails if there is any.
# Usage: check_layers.sh [SOURCE_ROOT]   (the folder that holds src/)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
readme="$root/src/README.md"
[[ -r $readme ]] || { echo "cannot read $readme" >&2; exit 2; }

declare -A kind=()     # part -> core | window
declare -A rank=()     # part -> row number within its table
declare -A uses=()     # "part use" -> 1
faults=0
fault() { echo "$*"; faults=$((faults + 1)); }

# The row's cells: the part is the first cell's backticked name; the uses are
# the backticked names ending in / in the last cell.
table=""
row=0
while IFS= read -r line; do
  if [[ $line =~ ^\|\ *Core\ *\| ]]; then table=core; row=0; continue; fi
  if [[ $line =~ ^\|\ *Window ]]; then table=window; row=0; continue; fi
  [[ $line == \|* ]] || { table=""; continue; }
  [[ -n $table ]] || continue
  [[ $line =~ ^\|\ *\`((core|gui)/[a-z_]+/)\`\ *\| ]] || continue
  part=${BASH_REMATCH[1]}
  [[ -z ${kind[$part]:-} ]] || fault "README: $part has two rows"
  row=$((row + 1))
  kind[$part]=$table
  rank[$part]=$row
  last=${line%|}
  last=${last##*|}
  while [[ $last =~ \`((core|gui)/[a-z_]+/)\` ]]; do
    used=${BASH_REMATCH[1]}
    last=${last#*"\`$used\`"}
    uses["$part $used"]=1
    if [[ -z ${kind[$used]:-} ]]; then
      fault "README: the $part row names $used, which has no row above it"
    elif [[ $table == core && ${kind[$used]} == window ]]; then
      fault "README: the core $part names the window part $used"
    fi
  done
done <"$readme"
((${#kind[@]} > 0)) || { echo "README: no layer table found in $readme" >&2; exit 2; }

# The part a path under src/ belongs to (core/folder/ or gui/folder/), left
# in $part_found; fails for a path outside any folder.
part_pattern='^((core|gui)/[a-z_]+/)'
part_of() {
  [[ $1 =~ $part_pattern ]] || return 1
  part_found=${BASH_REMATCH[1]}
}

checked=0
while IFS= read -r -d '' file; do
  relative=${file#"$root/src/"}
  part_of "$relative" || { fault "src/$relative: not in a folder of src/"; continue; }
  part=$part_found
  if [[ -z ${kind[$part]:-} ]]; then
    fault "src/$relative: $part has no row in src/README.md"
    continue
  fi
  number=0
  while IFS= read -r line; do
    number=$((number + 1))
    [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]*) ]] || continue
    target=${BASH_REMATCH[2]}
    if [[ ${BASH_REMATCH[1]} == '<' ]]; then
      if [[ $target == Q* && ${kind[$part]} == core ]]; then
        fault "src/$relative:$number: the core $part includes <$target>"
      fi
      continue
    fi
    part_of "$target" || continue
    used=$part_found
    [[ $used == "$part" || -n ${uses["$part $used"]:-} ]] && continue
    fault "src/$relative:$number: $part includes $target;" \
      "its row in src/README.md does not name $used"
  done <"$file"
  checked=$((checked + 1))
done < <(find "$root/src" -type f \( -name '*.cpp' -o -name '*.h' \) -print0)

if ((faults > 0)); then
  echo "$faults includes or rows break the layer tables of src/README.md"
  exit 1
fi
echo "$checked files of src/ keep to the ${#kind[@]} rows of src/README.md"
