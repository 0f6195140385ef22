#!/usr/bin/env bash
# Builds the Debian package build/tonlira_<version>_<arch>.deb:
#
#   scripts/package.sh [BUILD_DIR]
#
# Without BUILD_DIR it makes a Release build of the program alone in
# build/package; with one (a configured build, as scripts/test.sh passes its
# own) it packages what that build holds. The package carries the stripped
# binary, the desktop entry, the icons, the AppStream metadata and the man
# page; its dependencies are the libraries the binary links (dpkg-shlibdeps)
# plus what it loads at run time: the GStreamer plugins for the five formats
# and the audio output, and the font that stands in for Arial.
# Prints the path of the package.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build/package}
if [ $# -eq 0 ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTONLIRA_BUILD_TESTS=OFF -DTONLIRA_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target tonlira >/dev/null

version=$(sed -n 's/^project(Tonlira VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
maintainer="Tonlira developers <tonlira@example.org>"
runtime_depends="gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-ugly, gstreamer1.0-libav, fonts-liberation2"
# German standard dialogs; glyphs for CJK and emoji file names.
recommends="qt6-translations-l10n, fonts-wqy-microhei, fonts-noto-color-emoji"

work=$root/build/deb
stage=$work/tonlira
rm -rf "$work"
mkdir -p "$stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr --strip >/dev/null

doc=$stage/usr/share/doc/tonlira
mkdir -p "$doc"
gzip -9n "$stage/usr/share/man/man1/tonlira.1"
cat >"$doc/copyright" <<COPYRIGHT
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Tonlira

Files: *
Copyright: 2026 Tonlira developers
License: LicenseRef-proprietary
 All rights reserved.
COPYRIGHT
release_date=$(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' data/org.tonlira.tonlira.metainfo.xml | head -n1)
cat >"$work/changelog" <<CHANGELOG
tonlira ($version) unstable; urgency=medium

  * Release $version.

 -- $maintainer  $(LC_ALL=C date -u -R -d "$release_date 12:00")
CHANGELOG
gzip -9n -c "$work/changelog" >"$doc/changelog.gz"

# dpkg-shlibdeps reads the package names from a debian/control of its own.
mkdir -p "$work/src/debian"
printf 'Source: tonlira\n\nPackage: tonlira\nArchitecture: any\n' >"$work/src/debian/control"
shlib_depends=$(cd "$work/src" && dpkg-shlibdeps -O -e"$stage/usr/bin/tonlira" 2>/dev/null |
    sed -n 's/^shlibs:Depends=//p')
[ -n "$shlib_depends" ] || { echo "package.sh: dpkg-shlibdeps found no libraries" >&2; exit 1; }

chmod -R u+rwX,go+rX,go-w "$stage"
mkdir -p "$stage/DEBIAN"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums)
cat >"$stage/DEBIAN/control" <<CONTROL
Package: tonlira
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $shlib_depends, $runtime_depends
Recommends: $recommends
Section: sound
Priority: optional
Description: audio player with a German user interface
 Tonlira plays MP3, FLAC, WAV, WMA and OGG files, or whole folder trees,
 from a playlist, and keeps the user's music folders in an audio library.
 A volume dial sets the loudness; the desktop's media keys and sound menu
 control playback through MPRIS.
CONTROL
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

deb=$root/build/tonlira_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
