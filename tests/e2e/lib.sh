# Shared steps of the end-to-end tests: an X server of their own, the real
# binary with a fresh application-data folder, and looks at the screen.
# Sourced by the *_test.sh scripts; TONLIRA, XCLOSE and MEDIA_TOOL name the
# binaries.

set -euo pipefail

if [ -z "${E2E_IN_XVFB:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" env E2E_IN_XVFB=1 QT_QPA_PLATFORM=xcb bash "$0" "$@"
fi
unset WAYLAND_DISPLAY

WORK=$(mktemp -d)
export appdata="$WORK/appdata"
mkdir -p "$appdata"
cleanup() {
    jobs -p | xargs -r kill 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

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

# Closes window $1 as the close box does and waits for process $2; leaves its
# exit code in RC.
close_and_wait() {
    "$XCLOSE" "$1"
    timeout 20 tail --pid="$2" -f /dev/null || fail "the player did not end after the close"
    RC=0
    wait "$2" || RC=$?
}

# Top-left corner of window $1 on the screen, as "X Y".
window_origin() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y"
}

# The colour of the screen pixel at $1,$2 as "R,G,B".
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

prefs_file() { echo "$appdata/Tonlira/Tonlira.prefs"; }
