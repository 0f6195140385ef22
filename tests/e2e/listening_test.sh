#!/usr/bin/env bash
# What a listener hears from the real player, recorded from a sound server of
# the test's own. Four tracks in four tones tell the files apart:
# - at a low dial setting, the automatic change from the first track to the
#   second brings no burst at the file's own level;
# - from rest, the second "Play/Pause" after a wait of 3 s sounds at once;
# - deleting a row above the playing one leaves that track playing, and when
#   it ends the one after it follows;
# - deleting the playing row starts the track that moves into its place.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sound.sh"

media="$WORK/media"
mkdir -p "$media" "$appdata/Tonlira"
"$MEDIA_TOOL" mp3 1.0 "$media" a 440 >/dev/null || fail "no test media"
"$MEDIA_TOOL" flac 3.0 "$media" b 660 >/dev/null || fail "no test media"
"$MEDIA_TOOL" wav 3.0 "$media" c 880 >/dev/null || fail "no test media"
"$MEDIA_TOOL" ogg 3.0 "$media" d 1100 >/dev/null || fail "no test media"
# The playlist shown; the dial at its mark 4 (-50 dB).
printf '[Allgemein]\r\nplaylist = 1\r\nstd_lautst\xe4rke = 4\r\n' >"$(prefs_file)"

start_sound_server
start_window_manager

"$TONLIRA" "$media/a.mp3" "$media/b.flac" "$media/c.wav" "$media/d.ogg" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
timeout 10 xdotool windowactivate --sync "$win" || fail "the player window could not be activated"
read -r wx wy < <(xwininfo -id "$win" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }')
panel_painted() {
    top=$(import -window root -crop "1x80+$((wx + 2))+$wy" -depth 8 txt:- 2>/dev/null |
        awk -v top="$wy" -F'[,: ]+' 'index($0, "(87,87,87)") { print $2 + top; exit }')
    [ -n "$top" ] && [ "$top" -gt "$wy" ]
}
wait_until panel_painted || fail "no player panel"

# The controls: the buttons' centres, the rows of the playlist view.
button() { click_at $((wx + $1 + 23)) $((top + 78 + 23)); }
play_pause() { button 52; }
stop_button() { button 99; }
row_y() { echo $((top + 25 + ROW_TOP + $1 * ROW_HEIGHT + ROW_HEIGHT / 2)); }
click_row() { click_at $((wx + 510 + 5 + 30)) "$(row_y "$1")"; }
# The view's column of pixels right of the short titles: the header, its
# dark bottom edge, then the rows.
view_column() {
    import -window root -crop "1x80+$((wx + 510 + 5 + 100))+$((top + 25))" -depth 8 txt:- 2>/dev/null |
        awk -F'[ :,()]+' 'NR > 1 { print $2, $3, $4, $5 }'
}
ROW_TOP=$(view_column | awk '$1 > 1 && $2 < 100 { print $1 + 1; exit }')
[ -n "$ROW_TOP" ] || fail "no header over the playlist"
ROW_HEIGHT=14  # measured below, once a row is highlighted

record_start "$WORK/heard.wav"

# 1. A double-click on the first row plays it at -50 dB; after its second
# the flac follows, quiet from its first buffer.
xdotool mousemove $((wx + 510 + 5 + 30)) "$(row_y 0)" click --repeat 2 --delay 80 1
start1=$(record_mark)
# The highlighted first row tells the rows' height.
row_highlighted() {
    ROW_HEIGHT=$(view_column | awk -v top="$ROW_TOP" '$1 >= top && $2 != $4 { n++ } END { print n + 0 }')
    [ "$ROW_HEIGHT" -gt 8 ]
}
wait_within 1500 row_highlighted || fail "the double-click highlighted no row"
sleep 2.0
stop_button
end1=$(record_mark)

# 2. The dial turned to its end (a click below its centre lands in the dead
# zone, which is the maximum); from rest "Play/Pause" pauses, then plays.
click_at $((wx + 365 + 65)) $((top + 1 + 65 + 45))
sleep 0.3
play_pause
sleep 3.0
resume=$(record_mark)
play_pause

# 3. The flac plays (3 s). Its row is the second; the first is deleted.
sleep 0.6
click_row 0
xdotool key Delete
deleted=$(record_mark)
# The flac plays on to its end, then the wav follows.
sleep 3.6
# 4. The wav (now the second row) plays: deleting its row starts the ogg.
click_row 1
xdotool key Delete
deleted_playing=$(record_mark)
sleep 1.5
record_stop

# The marks lie within a recorder's write (about 100 ms) of the recording;
# each window keeps some distance from the next action.
loud=$(loudest_between "$start1" "$end1")
awk -v l="$loud" 'BEGIN { exit !(l < 0.02) }' ||
    fail "a burst at the automatic change: loudest window $loud at -50 dB"
awk -v l="$loud" 'BEGIN { exit !(l > 0.0002) }' || fail "nothing heard at -50 dB: $loud"

first=$(first_sound_after "$resume" 0.05)
[ -n "$first" ] || fail "nothing heard after the second Play/Pause"
[ $((first - resume)) -lt 300 ] || fail "the second Play/Pause sounded after $((first - resume)) ms"
near_hertz "$(tone_between "$first" "$deleted")" 660 || fail "the flac was not heard after Play/Pause"

tone=$(tone_between $((deleted + 200)) $((resume + 2800)))
near_hertz "$tone" 660 || fail "after deleting the row above, $tone Hz instead of the flac's 660"
tone=$(tone_between $((resume + 3400)) $((deleted_playing - 400)))
near_hertz "$tone" 880 || fail "after the flac ended, $tone Hz instead of the wav's 880"
tone=$(tone_between $((deleted_playing + 300)) $((deleted_playing + 1400)))
near_hertz "$tone" 1100 || fail "after deleting the playing row, $tone Hz instead of the ogg's 1100"

close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
echo "listening: ok"
