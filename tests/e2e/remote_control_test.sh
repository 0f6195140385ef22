#!/usr/bin/env bash
# The real player on a private session bus, controlled as a desktop does it:
# playerctl (the tool behind many media-key setups) starts playback, reads
# the title, follows the status through PropertiesChanged, and the standard
# Quit ends the player with exit code 0 and its preferences written. Without
# a bus the player starts silently.
source "$(dirname "$0")/lib.sh"

media="$WORK/media"
mkdir -p "$media"
for stem in erstes zweites; do
    "$MEDIA_TOOL" wav 3.0 "$media" "$stem" >/dev/null || fail "no test media"
done

# Without a session bus: the window comes, no word about D-Bus.
DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-bus" XDG_RUNTIME_DIR="$WORK" \
    "$TONLIRA" "$media/erstes.wav" 2>"$WORK/quiet.err" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window without a bus"
close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC without a bus"
! grep -i "dbus" "$WORK/quiet.err" || fail "the player spoke of D-Bus without a bus"
rm -rf "$appdata/Tonlira"

# A private session bus, ended with the test.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$WORK/bus" &
for _ in $(seq 1 100); do
    [ -s "$WORK/bus" ] && break
    sleep 0.05
done
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$WORK/bus")
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || fail "no private bus"

"$TONLIRA" "$media/erstes.wav" "$media/zweites.wav" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
ctl() { timeout 10 playerctl --player=tonlira "$@"; }

# Waits until `ctl $1...` prints $2.
wait_for() {
    local want=$1 got=""
    shift
    for _ in $(seq 1 50); do
        got=$(ctl "$@" 2>/dev/null || true)
        [ "$got" = "$want" ] && return 0
        sleep 0.1
    done
    echo "got '$got', want '$want'" >&2
    return 1
}

wait_for Stopped status || fail "the player is not on the bus"
timeout 30 playerctl --player=tonlira --follow status >"$WORK/follow" 2>/dev/null &
# Following once it has printed the status it starts from.
wait_until grep -qx Stopped "$WORK/follow" || fail "playerctl does not follow the status"

ctl play-pause
wait_for Playing status || fail "PlayPause did not start playback"
[ "$(ctl metadata xesam:title)" = "zweites.wav" ] || fail "Metadata shows '$(ctl metadata xesam:title)'"
[ "$(ctl metadata xesam:url)" = "file://$media/zweites.wav" ] || fail "no file URL in Metadata"
for _ in $(seq 1 50); do
    grep -qx Playing "$WORK/follow" && break
    sleep 0.1
done
grep -qx Playing "$WORK/follow" || fail "no PropertiesChanged for the status: $(cat "$WORK/follow")"

ctl previous
wait_for erstes.wav metadata xesam:title || fail "Previous did not go back"
ctl pause
wait_for Paused status || fail "Pause did not pause"
ctl position 1
[ "$(ctl position | cut -d. -f1)" = 1 ] || fail "SetPosition did not move to 1 s: $(ctl position)"

quit_through_remote "$pid"
[ "$RC" = 0 ] || fail "exit code $RC after Quit"
grep -q '^playlist = ' "$(prefs_file)" || fail "no preferences written at Quit"
echo "remote control: ok"
