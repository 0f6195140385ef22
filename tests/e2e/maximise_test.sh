#!/usr/bin/env bash
# Under a window manager (openbox), the player with both panels shown is
# maximised to the whole work area, marked so, and restored to the size and
# place it had: by the window manager's command and by the title bar's box.
source "$(dirname "$0")/lib.sh"
start_window_manager

mkdir -p "$(dirname "$(prefs_file)")"
printf '[Allgemein]\r\nplaylist = 1\r\nbibliothek = 1\r\n' > "$(prefs_file)"
"$TONLIRA" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"

geometry() { xdotool getwindowgeometry "$win" | sed -n 's/.*\(Position\|Geometry\): \([0-9x,-]*\).*/\2/p' | tr '\n' ' '; }
maximised() { xprop -id "$win" _NET_WM_STATE | grep -q '_NET_WM_STATE_MAXIMIZED_VERT.*_NET_WM_STATE_MAXIMIZED_HORZ'; }
not_maximised() { ! maximised; }
screen_wide() { [[ $(geometry) == *" 1280x"* ]]; }

before=$(wait_within 5000 stays_for 600 geometry && geometry)
for way in command box; do
    if [ "$way" = command ]; then
        wmctrl -i -r "$win" -b add,maximized_vert,maximized_horz
    else
        # The maximise box is the middle of the three at the title bar's right end.
        xdotool windowactivate --sync "$win" 2>/dev/null || true
        # Where the window is, and how thick openbox's title bar above it.
        x=$(xwininfo -id "$win" | sed -n 's/.*Absolute upper-left X: *//p')
        y=$(xwininfo -id "$win" | sed -n 's/.*Absolute upper-left Y: *//p')
        width=$(xwininfo -id "$win" | sed -n 's/.*Width: *//p')
        title=$(xprop -id "$win" _NET_FRAME_EXTENTS | sed -n 's/.* = [0-9]*, [0-9]*, \([0-9]*\),.*/\1/p')
        click_at $((x + width - 27)) $((y - title / 2))
    fi
    wait_until maximised || fail "$way: not marked maximised: $(xprop -id "$win" _NET_WM_STATE)"
    wait_until screen_wide || fail "$way: not as wide as the screen: $(geometry)"
    settles_and_stays_for 1000 geometry || fail "$way: the maximised window does not keep still"
    read -r x y < <(window_origin "$win")
    [ "$x" -le 1 ] || fail "$way: the maximised window starts at x $x"
    maximised || fail "$way: the window lost its maximised state"

    wmctrl -i -r "$win" -b remove,maximized_vert,maximized_horz
    wait_until not_maximised || fail "$way: still maximised after restore"
    wait_until prints "$before" geometry || fail "$way: restored to $(geometry), not $before"
    settles_and_stays_for 1000 geometry || fail "$way: the restored window does not keep still"
    [ "$(geometry)" = "$before" ] || fail "$way: restored to $(geometry), not $before"
done

close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
echo "maximise: ok"
