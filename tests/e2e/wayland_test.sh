#!/usr/bin/env bash
# Without an X display the player runs natively on Wayland: it starts on a
# headless compositor (weston), shows its window there and quits cleanly.
# Without any display it says so in one line and ends with a non-zero code.
source "$(dirname "$0")/lib.sh"
command -v weston >/dev/null || { echo "skip: weston is not installed"; exit 77; }

# Neither display: one line, a plain non-zero exit, no abort.
RC=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$TONLIRA" 2>"$WORK/none.err" >/dev/null || RC=$?
[ "$RC" -ne 0 ] && [ "$RC" -lt 128 ] || fail "without a display the exit code is $RC"
[ "$(wc -l <"$WORK/none.err")" = 1 ] || fail "without a display: $(cat "$WORK/none.err")"
grep -q "keine grafische Anzeige" "$WORK/none.err" || fail "without a display: $(cat "$WORK/none.err")"

# A compositor of our own, and a private session bus for the remote's Quit.
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=tonlira-test --idle-time=0 >"$WORK/weston.log" 2>&1 &
wait_until test -S "$XDG_RUNTIME_DIR/tonlira-test" || fail "weston did not start: $(tail -3 "$WORK/weston.log")"
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$WORK/bus" &
wait_until test -s "$WORK/bus" || fail "no private bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$WORK/bus")

unset DISPLAY QT_QPA_PLATFORM
export WAYLAND_DISPLAY=tonlira-test
# The client's side of the protocol tells that the window is a Wayland one.
WAYLAND_DEBUG=client "$TONLIRA" 2>"$WORK/player.log" & pid=$!
window_titled() { grep -q 'xdg_toplevel@[0-9]*\.set_title("Tonlira")' "$WORK/player.log"; }
window_configured() { grep -q 'xdg_toplevel@[0-9]*\.configure(' "$WORK/player.log"; }
wait_until window_titled || fail "no Wayland window: $(grep -v '^\[' "$WORK/player.log" | tail -3)"
wait_until window_configured || fail "the compositor did not take the window"
kill -0 "$pid" 2>/dev/null || fail "the player ended on its own"
remote_up() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    string:org.mpris.MediaPlayer2.tonlira 2>/dev/null | grep -q true; }
wait_until remote_up || fail "the player did not publish its remote control"

quit_through_remote "$pid"
[ "$RC" = 0 ] || fail "exit code $RC after Quit on Wayland"
grep -q '^bibliothek = 1' "$(prefs_file)" || fail "no preferences written at Quit"
echo "wayland: ok"
