#!/usr/bin/env bash
# check-thumbnail-service.sh BUILD_DIR WORK_DIR: installs BUILD_DIR into a
# fresh prefix and asks a real thumbnail service (tumbler, started by D-Bus
# activation on a session bus of this test's own) for the thumbnail of a
# skin, as XFCE's file manager does; the service must store a PNG of it.
set -euo pipefail
build=$1 work=$2
rm -rf "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
update-mime-database "$share/mime"
# The service's own D-Bus activation file and plugins come from the system;
# the skin's type and thumbnailer from the prefix, found first.
export XDG_DATA_DIRS="$share:/usr/share" HOME="$work/home" XDG_CACHE_HOME="$work/cache"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config"
export PATH="$prefix/bin:$PATH"
mkdir -p "$HOME" "$work/files"
vireo-skin build "$share/doc/vireo-skin-builder/examples/demo" -o "$work/files/BACKIMG" >/dev/null
uri="file://$work/files/BACKIMG"
# The store names a thumbnail by the MD5 of its file's URI.
thumbnail="$XDG_CACHE_HOME/thumbnails/normal/$(printf %s "$uri" | md5sum | cut -d' ' -f1).png"

ask() {
  gdbus call --session --dest org.freedesktop.thumbnails.Thumbnailer1 \
    --object-path /org/freedesktop/thumbnails/Thumbnailer1 \
    --method "org.freedesktop.thumbnails.Thumbnailer1.$1" "${@:2}"
}
export -f ask
export uri thumbnail
dbus-run-session -- bash -c '
  set -euo pipefail
  ask GetSupported | grep -q application/x-vireo-skin ||
    { echo "the service does not offer the skin type"; exit 1; }
  ask Queue "[\"$uri\"]" "[\"application/x-vireo-skin\"]" normal default 0 >/dev/null
  for _ in $(seq 1 80); do [[ -s $thumbnail ]] && exit 0; sleep 0.25; done
  echo "no thumbnail after 20 s: $thumbnail"; exit 1
' 2> >(grep -v "lost on the message dbus" >&2)
description=$(file -b "$thumbnail")
[[ $description == "PNG image data, 128 x 85,"* ]] || { echo "the thumbnail is '$description'"; exit 1; }
