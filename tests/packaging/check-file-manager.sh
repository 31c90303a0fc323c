#!/usr/bin/env bash
# check-file-manager.sh BUILD_DIR WORK_DIR: installs BUILD_DIR into a fresh
# prefix and checks what a file manager sees there: a file named BACKIMG (and
# only that name) has the skin type, a NAME.vskin the package type, the menu
# entry opens both, and the thumbnailer's own command line writes a PNG of the
# asked size into the file it is given, for a skin and for a package.
set -euo pipefail
build=$1 work=$2
rm -rf "$work"
prefix="$work/prefix with space"
cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
type=application/x-vireo-skin
package_type=application/x-vireo-skin-package
types="MimeType=$type;$package_type;"
status=0

# A data folder of its own: only this prefix's types, none of the system's.
update-mime-database "$share/mime"
export XDG_DATA_DIRS="$share" XDG_DATA_HOME="$work/home-data"
unset XDG_CURRENT_DESKTOP
files="$work/files"
mkdir -p "$files/sub"
demo="$share/doc/vireo-skin-builder/examples/demo"
PATH="$prefix/bin:$PATH" vireo-skin build "$demo" -o "$files/BACKIMG" >/dev/null
PATH="$prefix/bin:$PATH" vireo-skin pack "$demo" -o "$files/demo.vskin" >/dev/null
found=$(xdg-mime query filetype "$files/demo.vskin")
[[ $found == "$package_type" ]] || { echo "demo.vskin has the type '$found', not $package_type"; status=1; }
printf 'text\n' >"$files/sub/backimg"
printf 'text\n' >"$files/sub/BACKIMG.txt"
found=$(xdg-mime query filetype "$files/BACKIMG")
[[ $found == "$type" ]] || { echo "BACKIMG has the type '$found', not $type"; status=1; }
for other in backimg BACKIMG.txt; do
  found=$(xdg-mime query filetype "$files/sub/$other")
  [[ $found != "$type" ]] || { echo "$other was taken for a skin"; status=1; }
done

desktop="$share/applications/io.github.vireo.SkinBuilder.desktop"
grep -qxF "$types" "$desktop" || { echo "the menu entry does not open $type and $package_type"; status=1; }

# The thumbnailer, run as a file manager runs it: its Exec line split into
# words and %i %o %s filled in (paths with spaces stay one word each).
thumbnailer="$share/thumbnailers/io.github.vireo.SkinBuilder.thumbnailer"
grep -qxF "$types" "$thumbnailer" ||
  { echo "the thumbnailer does not name $type and $package_type"; status=1; }
read -ra words <<<"$(sed -n 's/^Exec=//p' "$thumbnailer")"
for case in "128 128 x 85 BACKIMG" "256 256 x 171 BACKIMG" "48 48 x 32 BACKIMG" "128 128 x 85 demo.vskin"; do
  input=${case##* } case=${case% *}
  size=${case%% *} expected=${case#* }
  out="$work/thumb nail $size $input.png"
  command=()
  for word in "${words[@]}"; do
    case $word in
      %i) command+=("$files/$input") ;;
      %o) command+=("$out") ;;
      %s) command+=("$size") ;;
      *) command+=("$word") ;;
    esac
  done
  # A thumbnail service makes the output file, keeps it open and reads it
  # back through that handle: the PNG must go into that file itself.
  : >"$out"
  exec 3<"$out"
  PATH="$prefix/bin:$PATH" "${command[@]}" >/dev/null ||
    { echo "the thumbnailer failed at size $size"; status=1; exec 3<&-; continue; }
  description=$(file -b - <&3)
  exec 3<&-
  [[ $description == "PNG image data, $expected,"* ]] ||
    { echo "size $size gave '$description', not a $expected PNG"; status=1; }
done
exit $status
