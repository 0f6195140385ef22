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
openbox >/dev/null 2>&1 &
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
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
sleep 1

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
# Moved across the left edge: pushed 20 further, and it stays there.
wmctrl -i -r "$win" -e "0,-5,200,-1,-1"
wait_left "$win" -25 "a window moved to x -5 did not end at -25"
sleep 1
[ "$(frame_left "$win")" = -25 ] || fail "the window walked on to $(frame_left "$win")"
wmctrl -i -r "$win" -e "0,300,200,-1,-1"
wait_left "$win" 300 "the window did not come back to x 300"

# The tray's icon and the panel window.
panel=$(xdotool search --classname '^tint2$' | head -1)
[ -n "$panel" ] || fail "no panel window"
icon_x=$(xwininfo -tree -id "$panel" | awk '/22x22\+/ { split($0, a, "+"); print a[4]; exit }')
[ -n "$icon_x" ] || fail "no icon in the panel"

# "Ansicht" -> "Player in Taskleiste minimieren", by keyboard from "Datei".
minimise() {
    xdotool windowactivate --sync "$1" 2>/dev/null || true
    read -r wx wy < <(window_origin "$1")
    xdotool mousemove $((wx + 15)) $((wy - 10)) click 1 2>/dev/null
    xdotool mousemove $((wx + 15)) $((wy + 10)) click 1
    sleep 0.3
    xdotool key Right Right Down Down Return
}
minimise "$win"

strip=""
for _ in $(seq 1 50); do
    strip=$(xwininfo -children -id "$panel" | awk '/170x30\+/ { print $1; exit }')
    [ -n "$strip" ] && break
    sleep 0.1
done
[ -n "$strip" ] || fail "no strip in the panel window"
geometry=$(xwininfo -id "$strip" | awk '/-geometry/ { print $2 }')
[ "$geometry" = "170x30+$((icon_x - 220))+0" ] || fail "the strip is at $geometry, not left of the tray"
xwininfo -id "$win" | grep -q 'IsUnMapped' || fail "the player window is still shown"
import -window root "$WORK/strip.png"

echo "taskbar: ok"
