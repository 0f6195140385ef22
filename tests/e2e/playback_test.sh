#!/usr/bin/env bash
# Files named on the command line fill the playlist; a double-click plays
# the first row, each track plays to its end and the next one follows (the
# playlist view selects its row), the last one stays. The player panel shows
# the dial and the skin where they belong.
source "$(dirname "$0")/lib.sh"

media="$WORK/media"
mkdir -p "$media" "$appdata/Tonlira"
for stem in a b c; do
    "$MEDIA_TOOL" wav 1.0 "$media" "$stem" >/dev/null || fail "no test media"
done
# The playlist panel shown, so its rows can be seen.
printf '[Allgemein]\r\nplaylist = 1\r\n' > "$(prefs_file)"

"$TONLIRA" "$media/a.wav" "$media/b.wav" "$media/c.wav" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
read -r wx _ < <(window_origin "$win")
# The window is mapped before it is painted: wait for the panel and the dial.
painted() {
    top=$(panel_top "$win" "87,87,87")
    [ -n "$top" ] && [ "$(pixel $((wx + 365 + 65)) $((top + 1 + 65 - 20)))" = "183,183,183" ]
}
wait_until painted || fail "no player panel with its dial"

# The skin and the dial: a blue symbol on the play button, the dial's grey
# face at its centre, the red pointer below-left of it at volume 0.
symbol=$(pixel $((wx + 5 + 23)) $((top + 78 + 23)))
IFS=, read -r r g b <<<"$symbol"
[ "$b" -gt $((r + 60)) ] || fail "no blue play symbol at the play button: $symbol"
[ "$(pixel $((wx + 365 + 65)) $((top + 1 + 65 - 20)))" = "183,183,183" ] || fail "no dial face"


# The last file named is current; a double-click on the first row plays it.
xdotool mousemove $((wx + 510 + 5 + 30)) $((top + 25 + 25)) click --repeat 2 --delay 80 1
first=$(wait_below 0) || fail "the double-click selected no row"
second=$(wait_below "$first") || fail "the first track did not end and hand over to the second"
third=$(wait_below "$second") || fail "the second track did not hand over to the third"
# Nothing to wait for: the selection must stay where it is while the last
# track (1 s) plays to its end, watched for 1.5 s.
holds_for 1500 prints "$third" highlight_row || fail "the selection moved past the last track"
kill -0 "$pid" || fail "the player ended"

close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
echo "playback: ok"
