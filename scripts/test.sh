#!/usr/bin/env bash
# Sets up, builds and runs the checks, as CI does:
#   1. the program and all tests, warnings as errors; every test with CTest:
#      unit and integration tests on the offscreen platform, the end-to-end
#      tests of the real binary under Xvfb, the preferences parser's checks
#      on every input kept in tests/fuzz/corpus;
#   2. the Debian package made from that build: lintian, installed with
#      apt-get, offered by the desktop, removed without a trace;
#   3. the tests of what threads share (the playlist and its folder loader,
#      the transport, the media engine) under ThreadSanitizer;
#   4. the unit and integration tests again under AddressSanitizer and
#      UndefinedBehaviorSanitizer, LeakSanitizer included;
#   5. the preferences fuzzer, for TONLIRA_FUZZ_SECONDS (60) from the corpus
#      kept in tests/fuzz/corpus.
# Arguments go to the CTest run of step 1. Each step builds in its own folder
# under build/; ccache keeps rebuilds cheap.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
fuzz_seconds=${TONLIRA_FUZZ_SECONDS:-60}
started=$SECONDS
step() { printf '\n=== %s (at %d s)\n' "$1" $((SECONDS - started)); }

step "build with warnings as errors, all tests"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTONLIRA_BUILD_BENCH=OFF -DTONLIRA_WERROR=ON >/dev/null
cmake --build build/test -j"$jobs"
ctest --test-dir build/test --output-on-failure -j"$jobs" "$@"

step "Debian package: build, lint, install, remove"
deb=$(bash scripts/package.sh build/test)
if [ "$(id -u)" -eq 0 ]; then bash tests/package/install_test.sh "$deb"; else sudo bash tests/package/install_test.sh "$deb"; fi

step "playlist, folder loader, transport and media tests under ThreadSanitizer"
export TSAN_OPTIONS="halt_on_error=1 ignore_noninstrumented_modules=1 suppressions=$PWD/tests/tsan.supp"
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DTONLIRA_TSAN=ON -DTONLIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build/tsan -j"$jobs" --target tonlira_library_tests tonlira_transport_tests tonlira_media_tests
for suite in library transport media; do
    QT_QPA_PLATFORM=offscreen "build/tsan/tests/tonlira_${suite}_tests" --gtest_brief=1
done
unset TSAN_OPTIONS

step "unit and integration tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# Set for the build too: test discovery runs the test programs.
# LeakSanitizer stays on; tests/lsan.supp holds what the libraries allocate
# once and keep for the life of the process.
export ASAN_OPTIONS="detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DTONLIRA_BUILD_BENCH=OFF -DTONLIRA_ASAN=ON -DTONLIRA_WERROR=ON >/dev/null
cmake --build build/asan -j"$jobs"
ctest --test-dir build/asan --output-on-failure -j"$jobs" -E '^e2e\.'
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

step "preferences fuzzer, ${fuzz_seconds} s"
# Its progress goes to build/fuzz.log; the end of it is shown, all of it on
# a finding (the input is then in build/fuzz/findings).
mkdir -p build
if ! bash scripts/fuzz.sh "$fuzz_seconds" >build/fuzz.log 2>&1; then
    cat build/fuzz.log
    exit 1
fi
tail -n 7 build/fuzz.log

step "all checks passed"
