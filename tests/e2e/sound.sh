# Listening to the player: a sound server of the test's own (PulseAudio with
# one null sink), what reaches the sink recorded from its monitor, and looks
# at the recording 20 ms at a time. Sourced after lib.sh; SOUND_TOOL names
# the window analyser (sound_windows).

export PULSE_RUNTIME_PATH="$WORK/pulse"
unset PULSE_SERVER
SINK=tonsink

# Starts the server and keeps its sink busy (a sink that has been idle starts
# new streams late), once the server answers. The busy stream asks for a
# short latency: with pacat's default (2 s) the sink runs at that latency and
# a new stream is first heard about 1.7 s after it starts.
start_sound_server() {
    mkdir -p "$PULSE_RUNTIME_PATH"
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
        --load="module-null-sink sink_name=$SINK rate=44100 channels=2" \
        --load=module-native-protocol-unix --log-target="file:$WORK/pulse.log" 2>/dev/null ||
        fail "the sound server did not start"
    wait_within 10000 pactl info >/dev/null 2>&1 || fail "the sound server does not answer"
    pacat --playback /dev/zero --device="$SINK" --latency-msec=20 >/dev/null 2>&1 &
    KEEPALIVE_PID=$!
}
stop_sound_server() {
    kill "${RECORD_PID:-}" "${KEEPALIVE_PID:-}" 2>/dev/null || true
    pulseaudio -k 2>/dev/null || true
}

# Records the sink's monitor into $1; RECORD_START holds when the recording
# began (ms), so times in it can be set against the test's actions. The
# recorder connects a while after it starts: the beginning is taken from the
# first audio it writes, less the time that audio spans.
record_start() {
    RECORDING=$1
    parecord --device="$SINK.monitor" --latency-msec=20 --file-format=wav --format=s16le --rate=44100 \
        --channels=1 "$RECORDING" &
    RECORD_PID=$!
    wait_within 10000 recording_begun || fail "the recording did not begin"
}
wav_header_bytes=44
mono_bytes_per_ms=88  # 16-bit samples at 44.1 kHz, rounded down
recording_begun() {
    local now size
    now=$(now_ms)
    size=$(stat -c %s "$RECORDING" 2>/dev/null || echo 0)
    [ "$size" -gt "$wav_header_bytes" ] || return 1
    RECORD_START=$((now - (size - wav_header_bytes) / mono_bytes_per_ms))
}
record_stop() {
    kill -INT "$RECORD_PID" 2>/dev/null || true
    wait "$RECORD_PID" 2>/dev/null || true
    RECORD_PID=""
    "$SOUND_TOOL" "$RECORDING" >"$RECORDING.windows" || fail "the recording could not be read"
}
# Milliseconds into the recording of the moment now.
record_mark() { echo $(($(now_ms) - RECORD_START)); }

# The loudest RMS level between $1 and $2 ms of the last recording.
loudest_between() {
    awk -v from="$1" -v to="$2" '$1 >= from && $1 < to && $2 > max { max = $2 } END { printf "%.5f\n", max }' \
        "$RECORDING.windows"
}
# The first window at or after $1 ms louder than level $2; its start in ms,
# or nothing when there is none.
first_sound_after() {
    awk -v from="$1" -v level="$2" '$1 >= from && $2 > level { print $1; exit }' "$RECORDING.windows"
}
# The median frequency of the sounding windows between $1 and $2 ms (0 when
# nothing sounds there).
tone_between() {
    awk -v from="$1" -v to="$2" '$1 >= from && $1 < to && $2 > 0.01 { print $3 }' "$RECORDING.windows" |
        sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : 0) }'
}
# Whether frequency $1 lies within 5 % of $2.
near_hertz() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b * 0.95 && a < b * 1.05) }'; }

trap 'stop_sound_server; cleanup' EXIT
