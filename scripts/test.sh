#!/usr/bin/env bash
# Sets up, builds and runs every test: the thread-sharing tests under
# ThreadSanitizer, then all unit and integration tests on the offscreen
# platform and the end-to-end tests of the real binary under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

# The playlist shared with a worker thread, under ThreadSanitizer.
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DTONLIRA_TSAN=ON -DTONLIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build/tsan -j"$jobs" --target tonlira_library_tests
TSAN_OPTIONS="halt_on_error=1 ignore_noninstrumented_modules=1 suppressions=$PWD/tests/tsan.supp" \
    QT_QPA_PLATFORM=offscreen build/tsan/tests/tonlira_library_tests --gtest_brief=1

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTONLIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build/test -j"$jobs"
ctest --test-dir build/test --output-on-failure -j"$jobs" "$@"
