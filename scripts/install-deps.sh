#!/usr/bin/env bash
# Installs the Debian packages Tonlira needs to build, run and test.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config ccache
  qt6-base-dev libgl-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  libx11-dev
  # run: decoders for mp3, flac, wav, wma, ogg and the default audio output
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
  gstreamer1.0-libav gstreamer1.0-tools gstreamer1.0-plugins-base-apps
  fonts-liberation2 fonts-dejavu-core
  # glyphs for CJK and emoji file names, found through fontconfig's fallback
  # (a few MB each; the full Noto CJK set is far larger)
  fonts-wqy-microhei fonts-noto-color-emoji
  # German texts of the standard dialogs (Ja, Nein, Abbrechen, Öffnen)
  qt6-translations-l10n
  # a Wayland session without an X display: the program runs natively there
  qt6-wayland
  # tests and benchmarks
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick
  # end-to-end: a window manager, a panel with a tray for the taskbar, and
  # reading German menu texts off the screen
  openbox tint2 tesseract-ocr tesseract-ocr-deu
  # end-to-end: maximising through the window manager (wmctrl), a headless
  # Wayland compositor to start the player on without X (weston)
  wmctrl weston
  # listening: a sound server with a null sink, its monitor recorded
  pulseaudio pulseaudio-utils
  # remote control on a private session bus, the desktop entry's checks
  dbus-daemon dbus-bin playerctl desktop-file-utils shared-mime-info
  # the Debian package: lint it, check its metadata, offer it in "Open with"
  lintian appstream xdg-utils
  # a screen reader's view: the accessibility bus and reading its tree
  at-spi2-core python3-pyatspi
  # the preferences fuzzer: libFuzzer and the sanitizer runtimes of clang
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
