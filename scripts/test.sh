#!/usr/bin/env bash
# Sets up, builds and runs every test: unit and integration tests on the
# offscreen platform, end-to-end tests of the real binary under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTONLIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build/test -j"$(nproc)"
ctest --test-dir build/test --output-on-failure -j"$(nproc)" "$@"
