#!/usr/bin/env bash
# What a person waits for, on the real program and, when installed, beside
# two players from Debian (audacious, qmmp), each under an X server of its
# own with a private session bus: the time from start to the first answered
# window-manager ping (empty, and with 10,000 files on the command line, which
# are all listed with their lengths before the first answer), then for
# MEASURE seconds (10) in three states the CPU share left alone, the median
# ping answer and the resident memory: an empty playlist, 1,000 idle entries,
# playing a 2-minute wav into a private sound server's null sink.
# Usage: TONLIRA=build/tonlira MEDIA_TOOL=build/tests/make_test_media \
#          ANSWER_BENCH=build/bench/answer_bench [LABEL_WINDOW=build/bench/label_window] \
#          bench/answer_bench.sh [MEASURE] [RUNS]
# LABEL_WINDOW, a Qt window with one label, gives the toolkit's start-up floor.
MEASURE=${1:-10}
RUNS=${2:-3}
SETTLE=3
set -u
work=$(mktemp -d)
export HOME="$work/home" appdata="$work/appdata" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME" "$appdata" "$work/media"

# A sound server of the benchmark's own with one null sink, so that every
# player really plays (and pays for its output) in the "playing" state.
export PULSE_RUNTIME_PATH="$work/pulse"
unset PULSE_SERVER
mkdir -p "$PULSE_RUNTIME_PATH"
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=benchsink" \
    --load=module-native-protocol-unix 2>/dev/null || echo "(no sound server: playing is not heard)"
trap 'pulseaudio -k 2>/dev/null; rm -rf "$work"' EXIT

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
        local said
        said=$(dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$ANSWER_BENCH" "$@" 2>/dev/null)
        echo "${said:-(no answer)}"
    done
}

play_remote='dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.tonlira /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Player.Play'
measure=(--settle "$SETTLE" --measure "$MEASURE")

if [ -n "${LABEL_WINDOW:-}" ]; then
    run "one Qt label (toolkit floor)" "$LABEL_WINDOW"
fi
run "tonlira: start, empty" "$TONLIRA"
run "tonlira: start, 10,000 files" "$TONLIRA" "${many[@]}"
# A file that cannot be rendered, on the command line: its box, after the window.
: >"$work/media/empty.ogg"
echo "kein Ton" >"$work/media/text.mp3"
ogg=${originals[3]}
head -c 3000 "$ogg" >"$work/media/truncated.ogg"
for bad in empty.ogg text.mp3 truncated.ogg; do
    run "tonlira: box for $bad" --box "$TONLIRA" "$work/media/$bad"
done
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
