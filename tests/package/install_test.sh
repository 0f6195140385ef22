#!/usr/bin/env bash
# The Debian package on this machine: lintian finds no error in it, apt-get
# installs it, the desktop then lists Tonlira in its menu and offers it for
# the five formats, and apt-get remove leaves none of its files behind.
#
#   tests/package/install_test.sh build/tonlira_<version>_<arch>.deb
#
# Installs into the system, so it needs root; scripts/test.sh runs it after
# scripts/package.sh.
set -euo pipefail
deb=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "installing needs root"
if dpkg-query -W -f='${Status}' tonlira 2>/dev/null | grep -q 'ok installed'; then
    fail "tonlira is installed already; remove it first (apt-get remove tonlira)"
fi

# Errors fail; warnings are shown.
lint=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$lint" ] || echo "$lint"
! grep -q '^E: ' <<<"$lint" || fail "lintian reports errors"

export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
apt-get install -y -qq --no-install-recommends "$deb" >"$log" 2>&1 || { cat "$log"; fail "apt-get cannot install $deb"; }
remove() { apt-get remove -y -qq tonlira >"$log" 2>&1 || { cat "$log"; return 1; }; }
installed() { dpkg-query -W -f='${Status}' tonlira 2>/dev/null | grep -q 'install ok installed'; }
scratch=$(mktemp -d)
cleanup() { if installed; then remove || true; fi; rm -rf "$scratch" "$log"; }
trap cleanup EXIT
mapfile -t files < <(dpkg -L tonlira | while read -r f; do [ -d "$f" ] || echo "$f"; done)

for f in /usr/bin/tonlira /usr/share/applications/tonlira.desktop /usr/share/man/man1/tonlira.1.gz \
    /usr/share/metainfo/org.tonlira.tonlira.metainfo.xml /usr/share/icons/hicolor/scalable/apps/tonlira.svg \
    /usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/tonlira.png; do
    [ -f "$f" ] || fail "$f is not installed"
done
[ -x /usr/bin/tonlira ] || fail "the binary is not executable"
man -w tonlira >/dev/null || fail "man does not find tonlira(1)"
appstreamcli validate --no-net /usr/share/metainfo/org.tonlira.tonlira.metainfo.xml >/dev/null ||
    fail "the installed metainfo does not validate"

# The menu: a valid entry in the system's applications folder, named Tonlira.
entry=/usr/share/applications/tonlira.desktop
desktop-file-validate "$entry" || fail "the installed desktop entry is invalid"
grep -qx 'Name=Tonlira' "$entry" || fail "the menu entry is not named Tonlira"

# "Open with": GIO (which file managers ask) offers tonlira.desktop for each
# audio type the MIME database gives the five extensions, and xdg-mime can
# make it the default.
export HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
for ext in mp3 flac wav wma ogg; do
    types=$(awk -F: -v glob="*.$ext" '$3 == glob && $2 ~ /^audio\// && $2 != "audio/x-speex+ogg" { print $2 }' \
        /usr/share/mime/globs2)
    [ -n "$types" ] || fail "the MIME database knows no audio type for .$ext"
    for type in $types; do
        [[ $(gio mime "$type") == *tonlira.desktop* ]] || fail "\"Open with\" does not offer Tonlira for .$ext ($type)"
    done
done
xdg-mime default tonlira.desktop audio/flac
[ "$(xdg-mime query default audio/flac)" = tonlira.desktop ] || fail "xdg-mime does not name Tonlira for audio/flac"

remove || fail "apt-get cannot remove tonlira"
for f in "${files[@]}"; do
    [ ! -e "$f" ] || fail "$f is left after removing the package"
done
! installed || fail "tonlira is still installed"
echo "package: ok (${#files[@]} files installed and removed)"
