#!/usr/bin/env bash
# Files that are not files never hang the player: a FIFO, a socket and a
# folder named like audio files get the render-failure box at once, on the
# command line and in a loaded folder, and the close box always ends the
# player with exit code 0 and its preferences written, also while a folder
# load waits in such a box. Files deleted while their folder loads are
# skipped without a box.
source "$(dirname "$0")/lib.sh"

export Userprofile="$WORK/profile"
music="$Userprofile/Music"
bad="$WORK/bad"
mkdir -p "$music" "$bad/ordner.ogg" "$appdata/Tonlira"
"$MEDIA_TOOL" wav 1.0 "$WORK" ton >/dev/null || fail "no test media"
mkfifo "$bad/fifo.mp3"
perl -MSocket -e 'socket(S, PF_UNIX, SOCK_STREAM, 0) && bind(S, sockaddr_un($ARGV[0])) or die' "$bad/sock.wav" ||
    fail "no socket"
ln -s "$bad/fifo.mp3" "$bad/link.flac"
prefs='[Allgemein]\r\nplaylist = 1\r\n[Bibliothek]\r\nMusik:0 = /m/\r\n'

error_boxes() { xdotool search --onlyvisible --name '^Error$' 2>/dev/null | wc -l; }
some_box() { [ "$(error_boxes)" -gt 0 ]; }
no_box() { [ "$(error_boxes)" = 0 ]; }
# Answers the render-failure boxes one after another, $1 of them.
answer_boxes() {
    local box
    for _ in $(seq 1 "$1"); do
        wait_within 5000 some_box || fail "fewer render-failure boxes than $1"
        box=$(xdotool search --onlyvisible --name '^Error$' | head -1)
        xdotool windowfocus --sync "$box" 2>/dev/null || true
        xdotool key Return
        wait_within 5000 eval '! xdotool search --onlyvisible --name "^Error$" | grep -qx "$box"' ||
            fail "a render-failure box was not answered"
    done
}
# Closes the player and checks that it ended at once, cleanly.
close_quickly() {
    local started took
    started=$(now_ms)
    close_and_wait "$win" "$pid"
    took=$(($(now_ms) - started))
    [ "$RC" = 0 ] || fail "exit code $RC ($1)"
    echo "closed in $took ms ($1)"
    [ "$took" -lt 3000 ] || fail "the close took $took ms ($1)"
    grep -q 'Musik:0 = /m/' "$(prefs_file)" || fail "the library was lost ($1)"
    grep -q 'playlist = 1' "$(prefs_file)" || fail "the panel flag was lost ($1)"
}

# On the command line: one box each, at once; then the close box works.
printf "$prefs" >"$(prefs_file)"
"$TONLIRA" "$bad/fifo.mp3" "$bad/sock.wav" "$bad/ordner.ogg" "$bad/link.flac" "$WORK/ton.wav" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
answer_boxes 4
close_quickly "command line"

# In a folder: the worker's box does not keep the player from closing.
cp -a "$bad/." "$music/"
printf "$prefs" >"$(prefs_file)"
start_and_open_music_folder
wait_within 10000 some_box || fail "no render-failure box for the folder's FIFO"
close_quickly "a box of the folder load open"

# The same folder loaded to its end, each box answered; then files deleted
# while a large folder loads leave without a box.
printf "$prefs" >"$(prefs_file)"
start_and_open_music_folder
answer_boxes 3
rm -rf "${music:?}"/*
mkdir -p "$music/Viele"
for i in $(seq 1 300); do ln "$WORK/ton.wav" "$music/Viele/$i.wav"; done
open_music_folder "$win"
sleep 0.5
rm -rf "$music/Viele"
holds_for 3000 no_box || fail "a file deleted during the load brought up a box"
close_quickly "files deleted during a load"
echo "bad files: ok"
