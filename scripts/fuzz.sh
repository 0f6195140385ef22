#!/usr/bin/env bash
# Builds the preferences fuzzer (libFuzzer, clang 14) and runs it for $1
# seconds (an hour unless told), from the inputs kept in tests/fuzz/corpus
# and those it found before. New inputs go to build/fuzz/corpus, failing
# ones to build/fuzz/findings; copy those worth keeping into
# tests/fuzz/corpus/prefs, where every build checks them. Further arguments
# go to the fuzzer (for example -jobs=2).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3600}
shift $(($# > 0 ? 1 : 0))
cmake -S tests/fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build/fuzz -j"$(nproc)"
mkdir -p build/fuzz/corpus build/fuzz/findings
exec build/fuzz/prefs_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/findings/ "$@" build/fuzz/corpus tests/fuzz/corpus/prefs
