#!/usr/bin/env bash
# Installs what is missing, builds Pagula with its tests and runs every test.
#   scripts/test.sh          - normal build in build-test/
#   scripts/test.sh --asan   - AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

dir=build-test
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--asan" ]; then
    dir=build-asan
    flags=(-DCMAKE_BUILD_TYPE=Debug -DPAGULA_SANITIZE=ON -DPAGULA_BENCH=OFF)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
jobs=$(nproc)
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$jobs"
cd "$dir"
ctest --output-on-failure -j "$jobs"
