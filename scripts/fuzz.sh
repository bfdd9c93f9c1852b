#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/), with the picture decoders they reach
# built from source with the same instrumentation (scripts/fuzz-libs.sh, cached between runs),
# and runs each one.
#   scripts/fuzz.sh [--ci] [seconds-per-target]
#   scripts/fuzz.sh --build-only
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
seconds=${2:-${1:-300}}
if [ "${1:-}" = "--ci" ]; then
    # Eight targets in about the time six took at a minute each.
    seconds=${2:-45}
fi
libs=$(scripts/fuzz-libs.sh)
cmake --preset fuzz -DPAGULA_FUZZ_LIBS="$libs" >/dev/null
cmake --build --preset fuzz
[ "${1:-}" = "--build-only" ] && exit 0
targets=$(find build-fuzz/bin -maxdepth 1 -type f -name 'fuzz_*' -executable | sort)
if [ -z "$targets" ]; then
    echo "no fuzz targets"
    exit 0
fi
# A picture may legitimately decode to 256 MiB, and a decode can hold the reader's picture, a
# converted copy and the reader's own buffers at once; under ASan the Qt readers' target has
# reached 1.5 to 2.2 GiB of RSS in a minute's run. So the RSS limit sits well above that, a
# single allocation over 2 GiB still counts as a failure, and a small quarantine with freed
# memory handed back to the system keeps one input's memory from adding to the next.
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:quarantine_size_mb=64:allocator_release_to_os_interval_ms=500"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export QT_QPA_PLATFORM=minimal
for t in $targets; do
    name=$(basename "$t")
    corpus=build-fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=""
    [ -d "fuzz/seeds/$name" ] && seeds="fuzz/seeds/$name"
    [ -d "tests/regress/$name" ] && seeds="$seeds tests/regress/$name"
    echo "== $name for ${seconds}s"
    "$t" -max_total_time="$seconds" -rss_limit_mb=4096 -malloc_limit_mb=2048 -timeout=20 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/$name-" "$corpus" $seeds 2>&1 | tail -n 12
done
