#!/usr/bin/env bash
# Idle benchmark: runs the real program under its own Xvfb for SECONDS (10)
# in each of three states and reads the CPU time of the program and of the X
# server from /proc: an empty playlist, 1,000 idle entries, and playing.
# Usage: TONLIRA=build/tonlira MEDIA_TOOL=build/tests/make_test_media \
#          bench/idle_cpu_bench.sh [SECONDS]
# (make_test_media is built with the tests.)
SECONDS_PER_STATE=${1:-10}
source "$(dirname "$0")/../tests/e2e/lib.sh"

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Percent of one core that process $1 and the X server used over the period.
measure() {
    local label=$1 pid=$2 p0 x0 t0 p1 x1 t1
    p0=$(cpu_ticks "$pid"); x0=$(cpu_ticks "$XVFB_PID"); t0=$(date +%s.%N)
    sleep "$SECONDS_PER_STATE"
    p1=$(cpu_ticks "$pid"); x1=$(cpu_ticks "$XVFB_PID"); t1=$(date +%s.%N)
    awk -v l="$label" -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v s="$(echo "$t1 - $t0" | bc)" -v hz="$ticks_per_second" \
        'BEGIN { printf "%-22s program %5.2f %% of a core   X server %5.2f %%\n", l, 100 * p / hz / s, 100 * x / hz / s }'
}

# Waits until process $1 has settled: less than 5 % of a core over a second.
settle() {
    local before after
    for _ in $(seq 1 120); do
        before=$(cpu_ticks "$1"); sleep 1; after=$(cpu_ticks "$1")
        [ $((after - before)) -le $((ticks_per_second / 20)) ] && return 0
    done
}

# Runs the player with files $2...; $1 names the state; "play" as the state
# presses the play button first.
run_state() {
    local label=$1 pid win top x y
    shift
    "$TONLIRA" "$@" 2>/dev/null & pid=$!
    win=$(wait_for_window "$pid") || fail "no player window"
    if [ "$label" = playing ]; then
        sleep 1
        read -r x y < <(window_origin "$win")
        top=$(panel_top "$win" "87,87,87")
        [ -n "$top" ] || fail "no player panel"
        click_at $((x + 5 + 23)) $((top + 78 + 23))
    fi
    settle "$pid"
    measure "$label" "$pid"
    kill "$pid"; wait "$pid" 2>/dev/null || true
}

media="$WORK/media"
mkdir -p "$media"
one=$("$MEDIA_TOOL" wav 3.0 "$media" idle) || fail "no test media"
long=$("$MEDIA_TOOL" wav 120.0 "$media" long) || fail "no test media"
entries=()
for i in $(seq 1 1000); do
    ln "$one" "$media/idle$i.wav"
    entries+=("$media/idle$i.wav")
done

run_state "empty playlist"
run_state "1,000 idle entries" "${entries[@]}"
run_state playing "$long"
