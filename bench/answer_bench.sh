#!/usr/bin/env bash
# What a person waits for, on the real program and, when installed, beside
# two players from Debian (audacious, qmmp), each under an X server of its
# own with a private session bus: the time from start to the first answered
# window-manager ping (empty, and with 10,000 files on the command line, which
# are all listed with their lengths before the first answer), then for
# MEASURE seconds (10) in three states the median ping answer, the CPU share
# from /proc and the resident memory: an empty playlist, 1,000 idle entries,
# playing a 2-minute wav.
# Usage: TONLIRA=build/tonlira MEDIA_TOOL=build/tests/make_test_media \
#          ANSWER_BENCH=build/bench/answer_bench bench/answer_bench.sh [MEASURE] [RUNS]
MEASURE=${1:-10}
RUNS=${2:-3}
SETTLE=3
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" appdata="$work/appdata" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME" "$appdata" "$work/media"

one=$("$MEDIA_TOOL" wav 3.0 "$work/media" idle) || exit 1
long=$("$MEDIA_TOOL" wav 120.0 "$work/media" long) || exit 1
# 10,000 short files of the five formats (hard links to one file of each).
formats=(wav mp3 flac ogg wma)
originals=()
for f in "${formats[@]}"; do originals+=("$("$MEDIA_TOOL" "$f" 3.0 "$work/media" "orig")"); done
many=()
for i in $(seq 0 9999); do
    o=${originals[$((i % 5))]}
    ln "$o" "$work/media/t$i.${o##*.}"
    many+=("$work/media/t$i.${o##*.}")
done
idle=()
for i in $(seq 1 1000); do ln "$one" "$work/media/idle$i.wav"; idle+=("$work/media/idle$i.wav"); done

load() { awk '{ print $1 }' /proc/loadavg; }

# run LABEL [answer_bench options --] PROGRAM ARGS...
run() {
    local label=$1
    shift
    for _ in $(seq 1 "$RUNS"); do
        printf '%-34s load %-5s ' "$label" "$(load)"
        dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$ANSWER_BENCH" "$@" 2>/dev/null ||
            echo "(no answer)"
    done
}

play_remote='dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.tonlira /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Player.Play'
measure=(--settle "$SETTLE" --measure "$MEASURE")

run "tonlira: start, empty" "$TONLIRA"
run "tonlira: start, 10,000 files" "$TONLIRA" "${many[@]}"
run "tonlira: empty playlist" "${measure[@]}" "$TONLIRA"
run "tonlira: 1,000 idle entries" "${measure[@]}" "$TONLIRA" "${idle[@]}"
run "tonlira: playing" "${measure[@]}" --then "$play_remote" "$TONLIRA" "$long"

if command -v audacious >/dev/null; then
    run "audacious: start, empty" audacious
    run "audacious: start, 10,000 files" audacious "${many[@]}"
    run "audacious: empty playlist" "${measure[@]}" audacious
    run "audacious: 1,000 idle entries" "${measure[@]}" audacious "${idle[@]}"
    run "audacious: playing" "${measure[@]}" audacious -p "$long"
fi
if command -v qmmp >/dev/null; then
    run "qmmp: start, empty" qmmp
    run "qmmp: start, 10,000 files" qmmp "${many[@]}"
    run "qmmp: empty playlist" "${measure[@]}" qmmp
    run "qmmp: 1,000 idle entries" "${measure[@]}" qmmp "${idle[@]}"
    run "qmmp: playing" "${measure[@]}" qmmp --play "$long"
fi
