#!/usr/bin/env bash
# Installs what is missing, builds Pagula with its tests and runs every test.
#   scripts/test.sh          - the "dev" preset: build-test/, warnings as errors
#   scripts/test.sh --asan   - the "asan" preset: AddressSanitizer + UBSan in build-asan/; the
#                              LibreOffice round trips run only in the first
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

preset=dev
if [ "${1:-}" = "--asan" ]; then
    preset=asan
fi
jobs=$(nproc)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs"
ctest --preset "$preset" -j "$jobs"
