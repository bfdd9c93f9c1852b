#!/usr/bin/env bash
# pagula-compose beside img2pdf and djpeg -grayscale -scale 1/2 over the same generated A4
# scans, the three run in turn round after round, with the ratios the targets are stated in
# (processor time against djpeg, wall time against img2pdf, peak memory). Builds what it needs.
#   bench/side-by-side.sh [work folder] [scans, 30] [rounds, 5]
# The scans are made once in the work folder and kept for later runs.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in img2pdf djpeg; do
    if ! command -v "$tool" >/dev/null; then
        echo "side-by-side.sh: $tool is missing; scripts/deps.sh test installs it" >&2
        exit 1
    fi
done
cmake --preset dev >/dev/null
cmake --build --preset dev -j2 --target bench_compose pagula-compose >/dev/null
exec build-test/bin/bench_compose --side-by-side \
    "${1:-${TMPDIR:-/tmp}/pagula-bench-compose}" "${2:-30}" "${3:-5}"
