# Shared steps of the end-to-end tests: an X server of their own, the real
# binary with a fresh application-data folder, and looks at the screen.
# Sourced by the *_test.sh scripts; TONLIRA, XCLOSE and MEDIA_TOOL name the
# binaries.

set -euo pipefail

WORK=$(mktemp -d)
export appdata="$WORK/appdata"
mkdir -p "$appdata"

# An X server of our own, on a display number it picks itself.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
cleanup() {
    jobs -p | grep -vx "$XVFB_PID" | xargs -r kill 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# It names its display once it listens; the test goes on once a client has
# been served (a loaded machine can take seconds for either).
x_server_answers() {
    grep -q '^[0-9][0-9]*$' "$WORK/display" 2>/dev/null &&
        DISPLAY=":$(cat "$WORK/display")" xprop -root >/dev/null 2>&1
}
for _ in $(seq 1 300); do
    x_server_answers && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
done
x_server_answers || { echo "FAIL: no X server of our own" >&2; exit 1; }
export DISPLAY=":$(cat "$WORK/display")"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits until process $1 shows its player window; prints the window id.
wait_for_window() {
    local pid=$1 id=""
    for _ in $(seq 1 150); do
        id=$(xdotool search --onlyvisible --pid "$pid" --name '^Tonlira$' 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Milliseconds since the epoch, from the shell's own clock.
now_ms() {
    local t=${EPOCHREALTIME/[.,]/}
    echo $((t / 1000))
}

# Runs "${@:2}" every 0.1 s until it succeeds, for at most $1 ms.
wait_within() {
    local end=$(($(now_ms) + $1))
    shift
    until "$@"; do
        [ "$(now_ms)" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# Runs "$@" every 0.1 s until it succeeds, for at most 15 s.
wait_until() { wait_within 15000 "$@"; }

# Whether "${@:2}" prints $1, or something else.
prints() { [ "$("${@:2}")" = "$1" ]; }
prints_other_than() { [ "$("${@:2}")" != "$1" ]; }

# That something keeps still or does not happen is no condition to wait for:
# such checks watch for a while instead. Runs "${@:2}" every 0.1 s for $1 ms,
# the last look at or after the end; succeeds when it held at every look.
holds_for() {
    local end look
    end=$(($(now_ms) + $1))
    shift
    while :; do
        look=$(now_ms)
        "$@" || return 1
        [ "$look" -lt "$end" ] || return 0
        sleep 0.1
    done
}

# Whether what "${@:2}" prints stays the same for $1 ms.
stays_for() {
    local span=$1 first
    shift
    first=$("$@")
    holds_for "$span" prints "$first" "$@"
}

# Waits up to $1 ms until what "${@:2}" prints differs from what it printed
# first: for "it moves", which needs no more than the first change.
changes_within() {
    local limit=$1 first
    shift
    first=$("$@")
    wait_within "$limit" prints_other_than "$first" "$@"
}

# For "it stops and stays": waits up to 5 s until what "${@:2}" prints
# settles (stays the same for 0.6 s, longer than two of the player's 280 ms
# refreshes), then watches it keep still for $1 ms.
settles_and_stays_for() {
    local span=$1
    shift
    wait_within 5000 stays_for 600 "$@" && stays_for "$span" "$@"
}

# Whether process $1 shows a pop-up menu: a window of its own that the
# window manager leaves alone (override-redirect) and that is no tooltip.
# (Qt marks a menu as one only the first time it shows.)
menu_shown() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null || true); do
        [[ $(xwininfo -id "$id" 2>/dev/null) == *"Override Redirect State: yes"* ]] &&
            [[ $(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null) != *TOOLTIP* ]] && return 0
    done
    return 1
}
no_menu_shown() { ! menu_shown "$1"; }

# Whether a window whose title matches $1 is shown, or none is.
window_shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
window_gone() { ! window_shown "$1"; }

# Waits up to $2 s until process $1 has ended, without reaping it (`wait`
# gives its exit code afterwards); tail looks every 0.1 s, not every second.
wait_for_end() {
    timeout "$2" tail -s 0.1 --pid="$1" -f /dev/null
}

# Closes window $1 as the close box does and waits for process $2; leaves its
# exit code in RC.
close_and_wait() {
    "$XCLOSE" "$1"
    if ! wait_for_end "$2" 10; then
        # Asked again, as a person would click the close box once more.
        echo "note: the player was still running 10 s after the close; closing again" >&2
        "$XCLOSE" "$1" 2>/dev/null || true
        wait_for_end "$2" 20 || fail "the player did not end after the close"
    fi
    RC=0
    wait "$2" || RC=$?
}

# Ends process $1 through the remote control's Quit and waits for it; leaves
# its exit code in RC.
quit_through_remote() {
    timeout 10 dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.tonlira \
        /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit || fail "Quit was not taken"
    wait_for_end "$1" 20 || fail "the player did not end after Quit"
    RC=0
    wait "$1" || RC=$?
}

# Starts openbox and waits until it manages windows (it announces itself and
# the hints it supports, among them the active window). One that ends before
# it does is started again; what it said is shown when none comes up.
start_window_manager() {
    local wm=""
    for _ in $(seq 1 400); do
        if [ -z "$wm" ] || ! kill -0 "$wm" 2>/dev/null; then
            openbox >>"$WORK/openbox.log" 2>&1 &
            wm=$!
        fi
        xprop -root _NET_SUPPORTED 2>/dev/null | grep -q '_NET_ACTIVE_WINDOW' && return 0
        sleep 0.05
    done
    cat "$WORK/openbox.log" >&2
    fail "the window manager did not start"
}

# Top-left corner of window $1 on the screen, as "X Y".
window_origin() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y"
}

# The colour of the screen pixel at $1,$2 as "R,G,B".
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p'
}

prefs_file() { echo "$appdata/Tonlira/Tonlira.prefs"; }

# The screen row where the player panel (colour $2, "R,G,B") starts in
# window $1: the window's top plus its menu bar.
panel_top() {
    local x y
    read -r x y < <(window_origin "$1")
    import -window root -crop "1x80+$((x + 2))+$y" -depth 8 txt:- 2>/dev/null |
        awk -v want="($2)" -v top="$y" -F'[,: ]+' 'index($0, want) { print $2 + top; exit }'
}
# Whether window $1 shows the player panel (colour $2): it is painted.
panel_shown() { [ -n "$(panel_top "$1" "$2")" ]; }

# Presses the left button at $1,$2 on the screen.
click_at() {
    xdotool mousemove "$1" "$2" click 1
}

# The rows of the playlist view of the window at $wx with its panel top at
# $top: which one is highlighted, by the position of the highlight band in a
# column right of the short titles. The column starts below the focus frame's
# top edge, which has the highlight colour too.
highlight_row() {
    { import -window root -crop "1x120+$((wx + 510 + 5 + 100))+$((top + 25 + 6))" -depth 8 txt:- 2>/dev/null || true; } |
        awk -F'[ :,()]+' 'NR > 1 && !($3 == 157 && $4 == 157 && $5 == 157) && $3 != $4 { print $2; exit }'
}
# Waits until the highlight lies below row $1; prints where it is.
wait_below() {
    local row=""
    for _ in $(seq 1 60); do
        row=$(highlight_row)
        if [ -n "$row" ] && [ "$row" -gt "$1" ]; then
            echo "$row"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Opens "Datei" -> "Ordner Öffnen" and takes the folder it starts in.
open_music_folder() {
    local wx wy chooser=""
    read -r wx wy < <(window_origin "$1")
    click_at $((wx + 20)) $((wy + 10))
    wait_until menu_shown "$pid" || fail "the menu Datei did not open"
    xdotool key Down Down Return
    for _ in $(seq 1 100); do
        chooser=$(xdotool search --onlyvisible --name '^Musikordner Öffnen$' 2>/dev/null | head -1 || true)
        [ -n "$chooser" ] && break
        sleep 0.1
    done
    [ -n "$chooser" ] || fail "no folder chooser titled Musikordner Öffnen"
    # Without a window manager the chooser takes the focus itself.
    xdotool windowactivate --sync "$chooser" 2>/dev/null || wait_until has_focus "$chooser" ||
        fail "the folder chooser did not take the keyboard focus"
    xdotool key Return
    for _ in $(seq 1 50); do
        xdotool search --onlyvisible --name '^Musikordner Öffnen$' >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the folder chooser did not close"
}

# Whether window $1 has the keyboard focus.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Starts the player, loads the music folder through "Ordner Öffnen" and
# leaves pid, win, and the window's left edge wx and panel top top.
start_and_open_music_folder() {
    "$TONLIRA" & pid=$!
    win=$(wait_for_window "$pid") || fail "no player window"
    wait_until panel_shown "$win" "87,87,87" || fail "no player panel"
    open_music_folder "$win"
    read -r wx _ < <(window_origin "$win")
    top=$(panel_top "$win" "87,87,87")
    [ -n "$top" ] || fail "no player panel"
}
