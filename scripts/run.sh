#!/usr/bin/env bash
# Sets up, builds and starts Tonlira. Arguments are passed to the player
# (audio files to put into the playlist).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTONLIRA_BUILD_TESTS=OFF -DTONLIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target tonlira -j"$(nproc)"
exec build/release/tonlira "$@"
