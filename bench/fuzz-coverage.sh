#!/usr/bin/env bash
# How far each libFuzzer target gets in a fixed time: runs every target (or the ones named) from
# its seeds alone, one after the other, and prints executions, the coverage the seeds reach, the
# coverage at the end, features, corpus size and peak memory. Build the targets first
# (scripts/fuzz.sh --build-only); PAGULA_FUZZ_BUILD names another build folder than build-fuzz,
# e.g. one configured without the instrumented decoders, to compare.
#   bench/fuzz-coverage.sh [seconds-per-target] [fuzz_jpeg fuzz_qtformats ...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PAGULA_FUZZ_BUILD:-build-fuzz}
seconds=${1:-600}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in "$build"/bin/fuzz_*; do
        [ -x "$t" ] && targets+=("$(basename "$t")")
    done
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $build/bin" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# PAGULA_FUZZ_LOGS keeps each target's log there.
logs=${PAGULA_FUZZ_LOGS:-}
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:quarantine_size_mb=64:allocator_release_to_os_interval_ms=500"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export QT_QPA_PLATFORM=minimal

# The last value of "name: N" on libFuzzer's status lines, or "-".
last_field() {
    grep -oE "$1: [0-9]+" "$2" | tail -n 1 | grep -oE '[0-9]+$' || echo -
}

printf '%-24s %6s %10s %8s %9s %9s %8s %7s %8s\n' \
    target seconds execs exec/s seed-cov final-cov features corpus rss-mb
for name in "${targets[@]}"; do
    bin=$build/bin/$name
    [ -x "$bin" ] || { echo "$name: not built" >&2; continue; }
    corpus=$work/$name
    mkdir -p "$corpus"
    seeds=()
    [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
    [ -d "tests/regress/$name" ] && seeds+=("tests/regress/$name")
    log=$work/$name.log
    # A crash ends the run early; its input is kept in the work folder's log for the report.
    "$bin" -max_total_time="$seconds" -rss_limit_mb=4096 -malloc_limit_mb=2048 -timeout=20 \
        -print_final_stats=1 -artifact_prefix="$work/$name-" "$corpus" "${seeds[@]}" \
        >"$log" 2>&1 || echo "$name: stopped early (exit $?); see below" >&2
    seedCov=$(grep -m1 -E 'INITED' "$log" | grep -oE 'cov: [0-9]+' | grep -oE '[0-9]+' || echo -)
    execs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo -)
    rss=$(grep -oE 'stat::peak_rss_mb: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo -)
    elapsed=$(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$log" | grep -oE '[0-9]+ second' |
        grep -oE '[0-9]+' || echo "$seconds")
    rate=-
    [ "$execs" != - ] && [ "$elapsed" -gt 0 ] && rate=$((execs / elapsed))
    printf '%-24s %6s %10s %8s %9s %9s %8s %7s %8s\n' "$name" "$elapsed" "$execs" "$rate" \
        "$seedCov" "$(last_field cov "$log")" "$(last_field ft "$log")" \
        "$(ls "$corpus" | wc -l)" "$rss"
    [ -n "$logs" ] && mkdir -p "$logs" && cp "$log" "$logs/"
    if grep -qE '^==[0-9]+==ERROR|^SUMMARY|deadly signal' "$log"; then
        grep -E '^==[0-9]+==ERROR|^SUMMARY|Test unit written' "$log" | head -n 5 >&2
    fi
done
