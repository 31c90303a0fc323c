#!/usr/bin/env bash
# check-install.sh BUILD_DIR WORK_DIR FILE...: installs BUILD_DIR into a fresh
# prefix and checks that every FILE is there, that the desktop entry starts the
# tool in the installed data folder, and that the desktop entry and the
# AppStream metainfo validate.
set -euo pipefail
build=$1 work=$2
shift 2
rm -rf "$work"
prefix="$work/prefix with space"
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for f in "$@"; do
  [[ -f "$prefix/$f" ]] || { echo "missing after install: $f"; status=1; }
done

desktop="$prefix/share/applications/io.github.vireo.SkinBuilder.desktop"
grep -qxF "Path=$prefix/share/vireo-skin-builder" "$desktop" ||
  { echo "wrong Path= in $desktop:"; grep '^Path=' "$desktop"; status=1; }
grep -qxF "Exec=$prefix/bin/vireo-skin-builder %f" "$desktop" ||
  { echo "wrong Exec= in $desktop:"; grep '^Exec=' "$desktop"; status=1; }
cmp -s "$prefix/share/vireo-skin-builder/ASCII" "$(dirname "$0")/../../data/ASCII" ||
  { echo "installed ASCII differs from data/ASCII"; status=1; }

# The installed program starts in its data folder and keeps running until killed.
if [[ -x "$prefix/bin/vireo-skin-builder" ]]; then
  set +e
  (cd "$prefix/share/vireo-skin-builder" &&
     QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/bin/vireo-skin-builder" >/dev/null 2>&1)
  code=$?
  set -e
  [[ $code == 124 ]] || { echo "the installed program stopped with status $code"; status=1; }
  # Without a display it says so in one Chinese line and stops with status 2;
  # -v needs none.
  set +e
  said=$(env -i "$prefix/bin/vireo-skin-builder" 2>&1 >/dev/null)
  code=$?
  set -e
  [[ $code == 2 && $(wc -l <<<"$said") == 1 ]] && grep -qP '[\x{4e00}-\x{9fff}]' <<<"$said" ||
    { echo "without a display: status $code, said: $said"; status=1; }
  [[ $(env -i "$prefix/bin/vireo-skin-builder" -v) == "vireo-skin-builder "* ]] ||
    { echo "-v printed no version without a display"; status=1; }
fi

# The command line works from the installed tree, its PNG module included:
# the installed demo set builds a skin that renders.
cli="$prefix/bin/vireo-skin"
if [[ -x "$cli" ]]; then
  # A new skin from the installed pictures builds, and its sheet is drawn.
  "$cli" new "$work/new skin" >/dev/null &&
    "$cli" build "$work/new skin" -o "$work/new.BACKIMG" >/dev/null &&
    "$cli" render "$work/new.BACKIMG" --sheet -o "$work/sheet.png" >/dev/null &&
    [[ -s "$work/sheet.png" ]] ||
    { echo "the installed vireo-skin could not make, build and draw a new skin"; status=1; }
fi

desktop-file-validate "$desktop" || status=1
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.vireo.SkinBuilder.metainfo.xml" || status=1
exit $status
