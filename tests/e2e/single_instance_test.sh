#!/usr/bin/env bash
# With "mehrere_instanzen" = 0 a second start ends at once with exit code 0,
# before any window shows; a crashed first instance does not block later ones.
# The lock is machine-wide (an abstract socket); a player that someone else
# runs on this machine would hold it. Where allowed, the test runs in a
# network namespace of its own, which has its own abstract socket names.
if [ -z "${TONLIRA_OWN_LOCKS:-}" ] && unshare -n true 2>/dev/null; then
    TONLIRA_OWN_LOCKS=1 exec unshare -n bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"

mkdir -p "$appdata/Tonlira"
printf '[Allgemein]\r\nmehrere_instanzen = 0\r\n' > "$(prefs_file)"

"$TONLIRA" & first=$!
win=$(wait_for_window "$first") || fail "no first window"

rc=0
timeout 20 "$TONLIRA" || rc=$?
[ "$rc" = 0 ] || fail "the second instance ended with $rc"
count=$(xdotool search --onlyvisible --name '^Tonlira$' | wc -l)
[ "$count" = 1 ] || fail "$count player windows"
kill -0 "$first" || fail "the first instance ended"

# The refusal comes before anything heavy: without a display to connect to
# and with a GStreamer registry of its own, a refused start still ends
# cleanly and leaves no registry behind (GStreamer was never set up).
rc=0
DISPLAY= GST_REGISTRY="$WORK/refused-registry.bin" timeout 20 "$TONLIRA" || rc=$?
[ "$rc" = 0 ] || fail "the refused start ended with $rc: it reached the display"
[ ! -e "$WORK/refused-registry.bin" ] || fail "the refused start set up GStreamer"

# The first instance dies without cleaning up; the next start runs.
kill -9 "$first"
wait "$first" || true
"$TONLIRA" & third=$!
win=$(wait_for_window "$third") || fail "a crashed instance blocked the next start"
close_and_wait "$win" "$third"
[ "$RC" = 0 ] || fail "exit code $RC"
echo "single instance: ok"
