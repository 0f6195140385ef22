#!/usr/bin/env bash
# The software-centre metadata is valid AppStream without errors or
# warnings, names the desktop entry it describes and provides the binary and
# every type the desktop entry opens.
set -euo pipefail
data="$(dirname "$0")/../../data"
metainfo="$data/org.tonlira.tonlira.metainfo.xml"
fail() { echo "FAIL: $*" >&2; exit 1; }

report=$(appstreamcli validate --no-net --explain "$metainfo" 2>&1) || { echo "$report"; fail "appstreamcli refuses it"; }
! grep -qE '^(E|W):' <<<"$report" || { echo "$report"; fail "appstreamcli warns"; }
grep -q '<launchable type="desktop-id">tonlira.desktop</launchable>' "$metainfo" || fail "no launchable tonlira.desktop"
grep -q '<binary>tonlira</binary>' "$metainfo" || fail "the binary is not provided"
for type in $(sed -n 's/^MimeType=//p' "$data/tonlira.desktop" | tr ';' ' '); do
    grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "$type is not provided"
done
echo "metainfo: ok"
