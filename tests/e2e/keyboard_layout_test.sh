#!/usr/bin/env bash
# Shortcuts follow the physical key on a German and on a US layout: a code
# stored for Shift+8 fires on Shift+8 (which types "(" on a German
# keyboard), "#" is a key of its own and not "3", AltGr is Control+Alt; and
# the settings window's capture field stores what the key is.
source "$(dirname "$0")/lib.sh"
command -v setxkbmap >/dev/null || { echo "skip: no setxkbmap"; exit 77; }

mkdir -p "$appdata/Tonlira"
# 14 "Playlist" on Shift+8, 16 "Fenster im Vordergrund halten" on 3, 13
# "Audiobibliothek" on Control+Alt+Q, 18 "Einstellungen" on the key left of
# Return on a German keyboard ("#", virtual key 0xBF).
printf '[Allgemein]\r\nplaylist = 0\r\nbibliothek = 1\r\n[Shortcuts]\r\n14 = 65592\r\n16 = 51\r\n13 = 393297\r\n18 = 191\r\n' \
    >"$(prefs_file)"
start_window_manager

"$TONLIRA" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
xdotool windowactivate --sync "$win"

width() { xwininfo -id "$win" | sed -n 's/.*Width: *//p'; }
height() { xwininfo -id "$win" | sed -n 's/.*Height: *//p'; }
on_top() { xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
not_on_top() { ! on_top; }
settings_shown() { window_shown '^Tonlira - Einstellungen$'; }
no_settings() { ! settings_shown; }
wait_until prints 500 width || fail "the player is not 500 wide at start: $(width)"

setxkbmap de
# Shift+8 types "(" here: still Shift+8.
xdotool key shift+8
wait_until prints 700 width || fail "de: Shift+8 did not show the playlist"
# "#" is a key of its own: it opens the settings window and is no "3".
xdotool key numbersign
wait_until settings_shown || fail "de: \"#\" did not open the settings window"
not_on_top || fail "de: \"#\" fired the shortcut on 3"
# Its capture field takes Shift+8 as Shift+8: onto the tab "Tastenkürzel"
# (Control+Tab twice), the first row, the field, "Übernehmen", "Speichern".
settings=$(xdotool search --onlyvisible --name '^Tonlira - Einstellungen$' | head -1)
xdotool windowactivate --sync "$settings" 2>/dev/null || true
sx=$(xwininfo -id "$settings" | sed -n 's/.*Absolute upper-left X: *//p')
sy=$(xwininfo -id "$settings" | sed -n 's/.*Absolute upper-left Y: *//p')
page_x=$((sx + 5 + 2))
page_y=$((sy + 5 + 24))
xdotool key ctrl+Tab ctrl+Tab
sleep 0.3
click_at $((page_x + 60)) $((page_y + 2 + 32))  # a row of the list
click_at $((page_x + 3 + 90)) $((page_y + 172 + 10))  # the capture field
xdotool key shift+8
click_at $((page_x + 187 + 35)) $((page_y + 172 + 10))  # "Übernehmen"
click_at $((sx + 120 + 75)) $((sy + 230 + 12))  # "Speichern"
wait_until no_settings || fail "the settings window did not close on Speichern"
captured() { grep -aE $'^[0-9]+ = ' "$(prefs_file)" | grep -av '^14 ' | grep -aq $'= 65592\r$'; }
wait_until captured || fail "de: the capture field did not store Shift+8: $(grep -a ' = [1-9]' "$(prefs_file)")"
xdotool windowactivate --sync "$win"
xdotool key 3
wait_until on_top || fail "de: 3 did not fire its shortcut"
# AltGr+Q types "@": Control+Alt+Q.
tall=$(height)
xdotool keydown ISO_Level3_Shift key q keyup ISO_Level3_Shift
wait_until prints_other_than "$tall" height || fail "de: AltGr+Q did not hide the library"

setxkbmap us
xdotool windowactivate --sync "$win"
# Shift+8 types "*" here: the same shortcut.
xdotool key shift+8
wait_until prints 500 width || fail "us: Shift+8 did not hide the playlist"
xdotool key 3
wait_until not_on_top || fail "us: 3 did not fire its shortcut"

close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
echo "keyboard layouts: ok"
