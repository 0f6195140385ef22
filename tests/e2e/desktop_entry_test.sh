#!/usr/bin/env bash
# The desktop entry is valid, passes the chosen files to the player, and
# declares every type the desktop's MIME database gives the five formats, so
# "Open with" offers Tonlira for each of them.
set -euo pipefail
entry="$(dirname "$0")/../../data/tonlira.desktop"
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
grep -qx 'Exec=tonlira %F' "$entry" || fail "the files are not passed as %F"
declared=$(sed -n 's/^MimeType=//p' "$entry" | tr ';' '\n')

globs=/usr/share/mime/globs2
[ -r "$globs" ] || fail "no MIME database ($globs)"
for ext in mp3 flac wav wma ogg; do
    # Every audio type the database binds to the extension.
    types=$(awk -F: -v glob="*.$ext" '$3 == glob && $2 ~ /^audio\// { print $2 }' "$globs")
    [ -n "$types" ] || fail "the MIME database knows no audio type for .$ext"
    for type in $types; do
        case "$type" in audio/x-speex+ogg) continue ;; esac  # speech, not music
        grep -qx "$type" <<<"$declared" || fail "$type (.$ext) is not declared"
    done
done
echo "desktop entry: ok"
