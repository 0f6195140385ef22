#!/usr/bin/env bash
# The sound server goes away in the middle of a track and comes back: the
# player notices (the remote control says Stopped, the track is not dropped
# for the next one played in silence), and the next Play once the server is
# back is heard, without restarting the player.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sound.sh"

media="$WORK/media"
mkdir -p "$media" "$appdata/Tonlira"
"$MEDIA_TOOL" wav 20.0 "$media" erstes 440 >/dev/null || fail "no test media"
"$MEDIA_TOOL" wav 20.0 "$media" zweites 880 >/dev/null || fail "no test media"
# Full volume, so what plays is plainly heard.
printf '[Allgemein]\r\nstd_lautst\xe4rke = 14\r\n' >"$(prefs_file)"

dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$WORK/bus" &
wait_until test -s "$WORK/bus" || fail "no private bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$WORK/bus")
ctl() { timeout 10 playerctl --player=tonlira "$@" 2>/dev/null; }
status_is() { [ "$(ctl status)" = "$1" ]; }
title_is() { [ "$(ctl metadata xesam:title)" = "$1" ]; }

start_sound_server
"$TONLIRA" "$media/zweites.wav" "$media/erstes.wav" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
wait_until status_is Stopped || fail "the player is not on the bus"

ctl play
wait_until status_is Playing || fail "Play did not start playback"
record_start "$WORK/before.wav"
sleep 3
record_stop
near_hertz "$(tone_between 0 3000)" 440 || fail "the track was not heard before the server went away"

# The server goes away mid-track: nothing can sound, and the player says so.
stop_sound_server
wait_within 3000 status_is Stopped || fail "the player still says $(ctl status) without a sound server"
holds_for 1500 status_is Stopped || fail "the player went on to $(ctl status) without a sound server"
title_is erstes.wav || fail "the track was dropped for $(ctl metadata xesam:title)"
kill -0 "$pid" || fail "the player ended when the sound server went away"
window_gone '^Error$' || fail "a message box came up"

# The server is back: the next Play is heard, from the same track.
start_sound_server
record_start "$WORK/after.wav"
played=$(record_mark)
ctl play
wait_until status_is Playing || fail "Play after the server came back did not play"
# The monitor of a freshly started server hands over what it records late.
sleep 3
record_stop
heard=$(first_sound_after "$played" 0.05)
[ -n "$heard" ] || fail "Play after the server came back was not heard"
echo "first sound $((heard - played)) ms after Play"
[ $((heard - played)) -lt 2000 ] || fail "the first sound came $((heard - played)) ms after Play"
tone=$(tone_between "$heard" $((heard + 1000)))
near_hertz "$tone" 440 || fail "heard $tone Hz, not the current track's 440 Hz"

close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
echo "sound server: ok"
