#!/usr/bin/env bash
# check-deb.sh BUILD_DIR WORK_DIR FILE...: builds the Debian package of
# BUILD_DIR with CPack and checks its file list (every FILE under /usr, and
# nothing outside /usr), its declared dependencies and its desktop entry.
set -euo pipefail
build=$1 work=$2
shift 2
rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

status=0
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in "$@"; do
  grep -qxF "./usr/$f" <<<"$listing" || { echo "missing from package: /usr/$f"; status=1; }
done
if grep -v '^\./usr/' <<<"$listing" | grep -v '^\./$' | grep -q .; then
  echo "files outside /usr:"; grep -v '^\./usr/' <<<"$listing" | grep -v '^\./$'; status=1
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for need in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-qpa-plugins fonts-wqy-microhei; do
  grep -q "$need" <<<"$depends" || { echo "Depends lacks $need"; status=1; }
done

dpkg-deb -x "$deb" "$work/root"
grep -qxF "Path=/usr/share/vireo-skin-builder" \
  "$work/root/usr/share/applications/io.github.vireo.SkinBuilder.desktop" ||
  { echo "the packaged desktop entry does not start in /usr/share/vireo-skin-builder"; status=1; }
exit $status
