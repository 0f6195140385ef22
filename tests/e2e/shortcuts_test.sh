#!/usr/bin/env bash
# Keyboard shortcuts and the settings window on the real binary, under a
# window manager: "Shortcuts" 7 = 131152 makes the menu show "Strg + P" and
# Control+P toggle playback (from rest the first press pauses, the second
# plays, seen through the position slider); F5 (18 = 116) opens the settings
# window, where a combination taken into the list and saved is in the file
# afterwards and works at once.
source "$(dirname "$0")/lib.sh"

media="$WORK/media"
mkdir -p "$media" "$appdata/Tonlira"
"$MEDIA_TOOL" wav 30.0 "$media" song >/dev/null || fail "no test media"
printf '[Allgemein]\r\nplaylist = 1\r\n[Shortcuts]\r\n7 = 131152\r\n18 = 116\r\n' >"$(prefs_file)"

start_window_manager

# Top-left corner of window $1's client area on the screen, as "X Y", also
# when a window manager has framed it.
client_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }'
}

"$TONLIRA" "$media/song.wav" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
xdotool windowactivate --sync "$win"
# Whether the window shows its player panel below the menu bar; leaves the
# client area's corner in wx, wy and the panel's first row in top.
panel_painted() {
    read -r wx wy < <(client_origin "$win")
    top=$(import -window root -crop "1x80+$((wx + 2))+$wy" -depth 8 txt:- 2>/dev/null |
        awk -v top="$wy" -F'[,: ]+' 'index($0, "(87,87,87)") { print $2 + top; exit }')
    [ -n "$top" ] && [ "$top" -gt "$wy" ]
}
wait_until panel_painted || fail "no player panel below the menu bar"

# Words read from a part of the screen, three times enlarged, as lines of
# "X Y WORD" with X, Y the word's centre on the screen.
words_in() {  # x y width height
    import -window root -crop "$3x$4+$1+$2" +repage -resize 300% "$WORK/ocr.png" 2>/dev/null
    tesseract "$WORK/ocr.png" - -l deu --psm 11 tsv 2>/dev/null |
        awk -F'\t' -v ox="$1" -v oy="$2" 'NR > 1 && $12 != "" {
            printf "%d %d %s\n", ox + ($7 + $9 / 2) / 3, oy + ($8 + $10 / 2) / 3, $12 }'
}
# Whether a word in the region matches $5; leaves its centre "X Y" in WORD_AT.
word_shown() {  # x y width height pattern
    WORD_AT=$(words_in "$1" "$2" "$3" "$4" | awk -v p="$5" '$3 ~ p { print $1, $2; exit }')
    [ -n "$WORD_AT" ]
}
# Clicks the first word in the region that matches $5 once it shows; fails
# when none does within 10 s.
click_word() {  # x y width height pattern
    local cx cy
    wait_within 10000 word_shown "$@" || return 1
    read -r cx cy <<<"$WORD_AT"
    click_at "$cx" "$cy"
}
# A fingerprint of the position slider's pixels.
slider_look() { import -window root -crop "370x29+$wx+$((top + 46))" -depth 8 rgb:- 2>/dev/null | md5sum; }
# Playing: the slider moves within 5 s.
slider_moves() { changes_within 5000 slider_look; }
# At rest: once the slider has stopped (a pause or stop may take a moment,
# a closed menu's repaint too), it keeps still for a second.
slider_keeps_still() { settles_and_stays_for 1000 slider_look; }

# The menu "Wiedergabe" names the shortcut after its item.
click_word "$wx" "$wy" 400 $((top - wy)) '^Wiedergabe' || fail "no menu Wiedergabe"
wait_until menu_shown "$pid" || fail "the menu Wiedergabe did not open"
# The menu's words once it is painted. (OCR may lose the blanks around "+".)
menu_text=""
menu_read() {
    menu_text=$(words_in "$wx" "$top" 400 200 | awk '{ print $3 }' | tr '\n' ' ')
    [[ $menu_text == *Play/Pause* ]]
}
wait_within 10000 menu_read || fail "no Play/Pause in the menu: $menu_text"
echo "$menu_text" | grep -Eq 'Strg ?\+ ?P( |$)' || fail "no \"Strg + P\" in the menu: $menu_text"
xdotool key Escape
wait_until no_menu_shown "$pid" || fail "Escape did not close the menu"

# Control+P: from rest the first press pauses, the second plays.
slider_keeps_still || fail "the slider moves before anything was played"
xdotool key ctrl+p
slider_keeps_still || fail "the first Control+P did not pause"
xdotool key ctrl+p
slider_moves || fail "the second Control+P did not play"

# F5 opens the settings window; Shift+F6 is taken for "Stop" (row 8) and saved.
xdotool key F5
settings=""
for _ in $(seq 1 50); do
    settings=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Tonlira - Einstellungen$' 2>/dev/null | head -1 || true)
    [ -n "$settings" ] && break
    sleep 0.1
done
[ -n "$settings" ] || fail "F5 opened no settings window"
read -r sx sy < <(client_origin "$settings")
click_word "$sx" "$sy" 275 40 '^Tasten' || fail "no tab Tastenkürzel"
click_word "$sx" $((sy + 30)) 275 200 '^Stop$' || fail "no row Stop"
# The field and "Übernehmen" stand at their places on the tab page, which
# begins below the tab bar (about 24 pixels into the tab panel at 5, 5).
page_x=$((sx + 5 + 2))
page_y=$((sy + 5 + 24))
click_at $((page_x + 3 + 90)) $((page_y + 172 + 10))  # the key-capture field
xdotool key shift+F6
click_at $((page_x + 187 + 35)) $((page_y + 172 + 10))  # "Übernehmen"
# Taken over: the list shows the combination for "Stop".
wait_within 10000 word_shown $((page_x + 3)) $((page_y + 2)) 255 165 '^Umschalt' ||
    fail "the list did not take Shift+F6 over"
grep -q '^8 = ' "$(prefs_file)" && fail "taking a key over wrote the file"
click_at $((sx + 120 + 75)) $((sy + 230 + 12))  # "Speichern"
for _ in $(seq 1 30); do
    grep -q $'^8 = 65653\r$' "$(prefs_file)" && break
    sleep 0.1
done
grep -q $'^8 = 65653\r$' "$(prefs_file)" || fail "the saved shortcut is not in the file: $(cat "$(prefs_file)")"
grep -q $'^7 = 131152\r$' "$(prefs_file)" || fail "the other shortcuts were not kept"
grep -q $'^Scrollspeed = 1.000000\r$' "$(prefs_file)" || fail "no scroll speed written"
wait_until window_gone '^Tonlira - Einstellungen$' || fail "the window stayed open"

# Shift+F6 stops at once: the slider goes back to the start and stays.
xdotool windowactivate --sync "$win"
slider_moves || fail "the track no longer plays"
xdotool key shift+F6
slider_keeps_still || fail "Shift+F6 did not stop playback"

close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
echo "shortcuts: ok"
