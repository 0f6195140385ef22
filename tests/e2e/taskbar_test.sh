#!/usr/bin/env bash
# The player on a desktop with a window manager (openbox) and a panel with a
# notification area (tint2): a window the window manager moves near an edge
# snaps once and stays; "Player in Taskleiste minimieren" puts the strip into
# the panel window left of the tray, its buttons pause and play, the
# song-info window opens above it, restore brings the player back; quitting
# while minimised saves; a panel that goes away gives the player back.
source "$(dirname "$0")/lib.sh"

export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config"
mkdir -p "$XDG_CONFIG_HOME"
start_window_manager
tint2 >/dev/null 2>&1 & panel_pid=$!
"$TRAYDOCK" >"$WORK/dock" 2>&1 &
for _ in $(seq 1 200); do
    grep -q docked "$WORK/dock" && break
    sleep 0.05
done
grep -q docked "$WORK/dock" || fail "the panel's tray took no icon"

media="$WORK/media"
mkdir -p "$media"
"$MEDIA_TOOL" wav 30.0 "$media" song >/dev/null || fail "no test media"

"$TONLIRA" "$media/song.wav" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
# Whether the window manager has framed window $1 (it states the frame's
# margins once it has).
framed() { [[ $(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null) == *=* ]]; }
wait_until framed "$win" || fail "the window manager did not frame the player"

# The frame's outer left edge on the screen.
frame_left() {
    local abs left
    abs=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print $4 }')
    left=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= \([0-9]*\),.*/\1/p')
    echo $((abs - ${left:-0}))
}
# Waits until the frame's left edge is $2; fails with $3.
wait_left() {
    for _ in $(seq 1 50); do
        [ "$(frame_left "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    fail "$3 (left edge at $(frame_left "$1"), expected $2)"
}

# Moved by the window manager close to the left edge: flush with it, once.
wmctrl -i -r "$win" -e "0,15,200,-1,-1"
wait_left "$win" 0 "a window moved to x 15 did not snap to the edge"
# Moved across the left edge (wmctrl places the window's inside, so its
# frame lands a border further left): pushed 20 further, and it stays there.
border=$(xprop -id "$win" _NET_FRAME_EXTENTS | sed -n 's/.*= \([0-9]*\),.*/\1/p')
# A person's next move comes well after the window system has answered the
# snap: a report close to the snap's target within 150 ms counts as that
# answer, and nothing outside shows when those 150 ms are over, so this is a
# pause of a person's pace, not a wait for the program.
sleep 0.3
wmctrl -i -r "$win" -e "0,-5,200,-1,-1"
wait_left "$win" $((-5 - border - 20)) "a window moved across the edge was not pushed 20 further"
# Pushed once: it stays there (watched for a second).
holds_for 1000 prints $((-5 - border - 20)) frame_left "$win" ||
    fail "the window walked on to $(frame_left "$win")"
wmctrl -i -r "$win" -e "0,300,200,-1,-1"
wait_left "$win" $((300 - border)) "the window did not come back to x 300"

# The tray's icon and the panel window.
panel=$(xdotool search --classname '^tint2$' | head -1)
[ -n "$panel" ] || fail "no panel window"
icon_x=$(xwininfo -tree -id "$panel" | awk '/22x22\+/ { split($0, a, "+"); print a[4]; exit }')
[ -n "$icon_x" ] || fail "no icon in the panel"

# The inside of window $1 on the screen, as "X Y".
inside_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { print x, $4 }'
}
# "Ansicht" (in the menu bar) -> "Player in Taskleiste minimieren".
minimise() {
    local cx cy
    xdotool windowactivate --sync "$1" 2>/dev/null || true
    read -r cx cy < <(inside_origin "$1")
    xdotool mousemove $((cx + 165)) $((cy + 8)) click 1
    wait_until menu_shown "$pid" || fail "the menu Ansicht did not open"
    xdotool key Down Down Down Return
}
minimise "$win"

strip=""
for _ in $(seq 1 50); do
    strip=$(xwininfo -children -id "$panel" | awk '/170x30\+/ { print $1; exit }')
    [ -n "$strip" ] && break
    sleep 0.1
done
[ -n "$strip" ] || fail "no strip in the panel window"
geometry=$(xwininfo -children -id "$panel" | awk -v id="$strip" '$1 == id { for (i = 2; i <= NF; ++i) if ($i ~ /^170x30\+/) { print $i; exit } }')
[ "$geometry" = "170x30+$((icon_x - 220))+0" ] || fail "the strip is at $geometry, not left of the tray"
xwininfo -id "$win" | grep -q 'IsUnMapped' || fail "the player window is still shown"
viewable() { [[ $(xwininfo -id "$1" 2>/dev/null) == *IsViewable* ]]; }
wait_until viewable "$strip" || fail "the strip is not shown"
read -r panel_x panel_y < <(inside_origin "$panel")
sx=$((panel_x + icon_x - 220)) sy=$panel_y
# Clicks on the strip; the player takes them in the order given.
press() { xdotool mousemove $((sx + $1)) $((sy + $2)) click 1; }

# The song-info window right above the strip, with the title once playing.
icon_y=$(xwininfo -tree -id "$panel" | awk '/22x22\+/ { split($0, a, "+"); print a[5]; exit }')
iy=$((icon_y - 70))
press 75 15   # pause from rest: paused, no sound
press 75 15   # and again: playing
press 158 8   # song information
title_pixels() {
    import -window root -crop "162x35+$((sx + 4))+$((iy + 4))" -depth 8 txt:- 2>/dev/null | grep -c '(1,29,254)' || true
}
for _ in $(seq 1 30); do
    [ "$(title_pixels)" -gt 20 ] && break
    sleep 0.1
done
[ "$(title_pixels)" -gt 20 ] || fail "the song-info window shows no title above the strip"
slider_shot() { import -window root -crop "166x23+$((sx + 2))+$((iy + 40))" -depth 8 txt:- 2>/dev/null | md5sum; }
# Playing: the slider moves within 5 s.
slider_moves() { changes_within 5000 slider_shot; }
# Paused: once the slider has stopped (the pause may take a moment), it
# keeps still for 1.5 s.
slider_keeps_still() { settles_and_stays_for 1500 slider_shot; }
slider_moves || fail "the song-info slider does not follow playback"
press 75 15   # pause
slider_keeps_still || fail "the slider still moves after the strip's pause button"
press 75 15   # play again
slider_moves || fail "playback did not resume from the strip"
import -window root "${SHOT_DIR:-$WORK}/taskbar.png"

# Restore: both small windows go, the player comes back.
press 158 22
for _ in $(seq 1 30); do
    xwininfo -id "$win" | grep -q IsViewable && break
    sleep 0.1
done
xwininfo -id "$win" | grep -q IsViewable || fail "restore did not bring the player back"
xwininfo -children -id "$panel" | grep -q '170x30+' && fail "the strip stayed in the panel"

# The panel goes away while the player is in it: the player comes back.
minimise "$win"
for _ in $(seq 1 30); do
    xwininfo -children -id "$panel" 2>/dev/null | grep -q '170x30+' && break
    sleep 0.1
done
kill "$panel_pid"
for _ in $(seq 1 50); do
    xwininfo -id "$win" | grep -q IsViewable && break
    sleep 0.1
done
xwininfo -id "$win" | grep -q IsViewable || fail "the player stayed hidden after the panel went away"
kill -0 "$pid" || fail "the player ended with the panel"

# A new panel; quitting while minimised into it saves and ends as usual.
tint2 >/dev/null 2>&1 &
"$TRAYDOCK" >"$WORK/dock2" 2>&1 &
for _ in $(seq 1 200); do
    grep -q docked "$WORK/dock2" && break
    sleep 0.05
done
panel=$(xdotool search --classname '^tint2$' | head -1)
minimise "$win"
for _ in $(seq 1 30); do
    xwininfo -children -id "$panel" 2>/dev/null | grep -q '170x30+' && break
    sleep 0.1
done
xwininfo -children -id "$panel" | grep -q '170x30+' || fail "no strip in the new panel"
printf '[Allgemein]\r\nplaylist = 1\r\n' > "$(prefs_file)"
close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
grep -q 'playlist = 0' "$(prefs_file)" || fail "quitting while minimised saved nothing"

echo "taskbar: ok"
