#!/usr/bin/env bash
# vireo-skin starts without Qt, libimagequant or OpenMP: those are opened only
# by the commands that decode, write PNG or quantise.
set -euo pipefail
program=$1
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
if grep -E 'Qt|imagequant|gomp' <<<"$needed"; then
  echo "vireo-skin loads these at start-up: see above" >&2
  exit 1
fi
echo "start-up libraries: $(tr '\n' ' ' <<<"$needed")"
