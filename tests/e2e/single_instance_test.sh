#!/usr/bin/env bash
# With "mehrere_instanzen" = 0 a second start ends at once with exit code 0,
# before any window shows; a crashed first instance does not block later ones.
#
# The lock is system-wide: a name in the abstract socket namespace, which
# belongs to the network namespace. So that a Tonlira running elsewhere on the
# machine cannot decide this test, it runs in a network namespace of its own
# (X server and all; the X server listens on a Unix socket only).
if [ -z "${TONLIRA_ISOLATED:-}" ]; then
    export TONLIRA_ISOLATED=1
    for isolate in "unshare --net" "unshare --net --map-root-user"; do
        if $isolate true 2>/dev/null; then
            exec $isolate bash "$0" "$@"
        fi
    done
    echo "SKIP: no network namespace of its own (needs root or user namespaces)" >&2
    exit 77
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
