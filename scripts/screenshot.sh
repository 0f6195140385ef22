#!/usr/bin/env bash
# Makes the README's picture of the player: the real program on an X server
# of its own (Xvfb with openbox), a few generated tracks in the playlist, the
# first one playing. Writes docs/screenshot.png (or the path given).
#   scripts/screenshot.sh [output.png]
# TONLIRA=path/to/tonlira uses that binary instead of building one.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
bash scripts/install-deps.sh
apt_need=()
for p in openbox; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || apt_need+=("$p")
done
if ((${#apt_need[@]})); then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get install -y -qq --no-install-recommends "${apt_need[@]}"
fi
tonlira=${TONLIRA:-}
if [ -z "$tonlira" ]; then
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTONLIRA_BUILD_TESTS=OFF -DTONLIRA_BUILD_BENCH=OFF >/dev/null
    cmake --build build/release --target tonlira -j"$(nproc)" >/dev/null
    tonlira=$PWD/build/release/tonlira
fi

work=$(mktemp -d)
cleanup() {
    jobs -p | xargs -r kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x640x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
openbox >/dev/null 2>&1 &
sleep 0.5

# A few tracks with friendly names, a tone each.
music="$work/Musik"
mkdir -p "$music"
i=0
for title in "Morgenlicht" "Am Fluss" "Sommerregen" "Nachtzug nach Norden" "Ausklang"; do
    i=$((i + 1))
    gst-launch-1.0 -q audiotestsrc num-buffers=$((43 * (150 + 23 * i))) freq=$((220 * i)) volume=0.2 ! audioconvert \
        ! flacenc ! filesink location="$music/0$i $title.flac" >/dev/null
done

# Both side panels shown, the dial at 7 ("std_lautstärke" in Windows-1252).
export appdata="$work/appdata"
mkdir -p "$appdata/Tonlira"
printf '[Allgemein]\r\nstd_lautst\xe4rke = 7\r\nplaylist = 1\r\nbibliothek = 1\r\n' \
    >"$appdata/Tonlira/Tonlira.prefs"

"$tonlira" "$music"/*.flac 2>/dev/null &
for _ in $(seq 1 100); do
    win=$(xdotool search --onlyvisible --name '^Tonlira$' 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "${win:-}" ] || { echo "no player window" >&2; exit 1; }
sleep 1
# Play the first row by double-clicking it.
xdotool mousemove --window "$win" 545 70 click --repeat 2 --delay 80 1
sleep 2.5
mkdir -p "$(dirname "$out")"
import -window "$win" "$out"
echo "wrote $out"
