#!/usr/bin/env bash
# check-deb.sh BUILD_DIR WORK_DIR FILE...: builds the Debian package of
# BUILD_DIR with CPack and checks its file list (every FILE under /usr, and
# nothing outside /usr), its declared dependencies, its
# copyright file, changelog and manual pages, and that lintian finds nothing.
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
for need in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-qpa-plugins qt6-image-formats-plugins qt6-translations-l10n fonts-wqy-microhei; do
  grep -q "$need" <<<"$depends" || { echo "Depends lacks $need"; status=1; }
done

dpkg-deb -x "$deb" "$work/root"
doc="$work/root/usr/share/doc/vireo-skin-builder"
# Debian's machine-readable format: the format line, a Files: * paragraph and
# a stand-alone paragraph for every licence that paragraph names.
copyright="$doc/copyright"
head -n1 "$copyright" |
  grep -qxF "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
  { echo "copyright lacks the machine-readable format line"; status=1; }
grep -qxF "Files: *" "$copyright" || { echo "copyright has no 'Files: *' paragraph"; status=1; }
while read -r licence; do
  grep -qxF "License: $licence" <(awk 'BEGIN{RS=""} !/(^|\n)Files:/' "$copyright") ||
    { echo "copyright names licence $licence without its text"; status=1; }
done < <(awk 'BEGIN{RS=""} /(^|\n)Files:/' "$copyright" | sed -n 's/^License: //p' | sort -u)

# The changelog's latest entry is this very package version.
version=$(dpkg-deb -f "$deb" Version)
dpkg-parsechangelog -l "$doc/changelog.Debian.gz" -S Version >"$work/changelog-version" 2>"$work/changelog.err" ||
  { echo "the changelog does not parse:"; cat "$work/changelog.err"; status=1; }
[[ "$(cat "$work/changelog-version")" == "$version" ]] ||
  { echo "changelog version '$(cat "$work/changelog-version")' is not the package's $version"; status=1; }

# Each program's manual pages, English and Chinese, carry the packaged
# program's own --version; the Chinese one, made from its --help, kept its text.
for program in vireo-skin-builder vireo-skin; do
  own_version=$("$work/root/usr/bin/$program" --version)
  for case in "man1|User Commands" "zh_CN/man1|用户命令"; do
    page="$work/root/usr/share/man/${case%|*}/$program.1.gz"
    [[ -f "$page" ]] || { echo "no manual page $page"; status=1; continue; }
    zcat "$page" | grep -qF "\"$own_version\" \"${case#*|}\"" ||
      { echo "the manual page $page does not carry '$own_version'"; status=1; }
    ! zcat "$page" | grep -q '??' || { echo "the manual page $page lost characters to '?'"; status=1; }
  done
done

# lintian with the package's own overrides: no error and no warning.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  { echo "lintian:"; cat "$work/lintian.log"; status=1; }
exit $status
