#!/usr/bin/env bash
# "Datei" -> "Ordner Öffnen" in the real binary: the folder chooser
# "Musikordner Öffnen" opens in the music folder, and choosing it fills the
# playlist with the tree's audio files in listing order, the first current
# (the play button plays it, and the playlist plays through to the last).
# Then quitting in the middle of a large load ends the program at once with
# exit code 0 and the preferences intact.
source "$(dirname "$0")/lib.sh"

export Userprofile="$WORK/profile"
music="$Userprofile/Music"
mkdir -p "$music/Sub" "$music/Z" "$appdata/Tonlira"
"$MEDIA_TOOL" wav 1.0 "$music" a >/dev/null || fail "no test media"
"$MEDIA_TOOL" ogg 1.0 "$music/Sub" b >/dev/null || fail "no test media"
"$MEDIA_TOOL" flac 1.0 "$music/Z" c >/dev/null || fail "no test media"
echo text > "$music/notes.txt"
cp "$music/a.wav" "$music/LOUD.WAV"
prefs='[Allgemein]\r\nplaylist = 1\r\n[Bibliothek]\r\nMusik:0 = /m/\r\n'
printf "$prefs" > "$(prefs_file)"

start_and_open_music_folder

# Lines of text in the playlist view's title column: the header and a line per row.
text_rows() {
    { import -window root -crop "60x160+$((wx + 510 + 8))+$((top + 25))" -depth 8 txt:- 2>/dev/null || true; } |
        awk -F'[ :,()]+' 'NR > 1 && $3 < 80 && $4 < 80 && $5 < 80 { print $2 }' | sort -n | uniq |
        awk 'NR == 1 || $1 > last + 4 { n++ } { last = $1 } END { print n + 0 }'
}
rows=0
shows_three_rows() { rows=$(text_rows); [ "$rows" = 4 ]; }
wait_within 10000 shows_three_rows || fail "the playlist shows $((rows - 1)) rows, not the three audio files"

# The play button plays the first entry; the second and third follow.
click_at $((wx + 5 + 23)) $((top + 78 + 23))
second=$(wait_below 0) || fail "the first entry did not play through to the second"
third=$(wait_below "$second") || fail "the second entry did not hand over to the third"
close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"

# Quitting while a large folder loads.
rm -rf "$music"
mkdir -p "$music/Viele"
"$MEDIA_TOOL" wav 1.0 "$WORK" one >/dev/null || fail "no test media"
for i in $(seq 1 400); do ln "$WORK/one.wav" "$music/Viele/$i.wav"; done
printf "$prefs" > "$(prefs_file)"
start_and_open_music_folder
# The load is under way once the playlist shows its first row.
loading() { [ "$(text_rows)" -gt 1 ]; }
wait_until loading || fail "the large folder did not begin to load"
started=$(date +%s%N)
close_and_wait "$win" "$pid"
took=$(( ($(date +%s%N) - started) / 1000000 ))
[ "$RC" = 0 ] || fail "exit code $RC after quitting during a load"
echo "quit during a load took $took ms"
[ "$took" -lt 5000 ] || fail "quitting during a load took $took ms"
grep -q 'Musik:0 = /m/' "$(prefs_file)" || fail "the library was lost"
grep -q 'playlist = 1' "$(prefs_file)" || fail "the panel flag was lost"
echo "folder load: ok"
