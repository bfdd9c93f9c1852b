#!/usr/bin/env bash
# Installs what is missing, builds Pagula and pagula-compose (Release, in build/) and starts Pagula.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAGULA_TESTS=OFF -DPAGULA_BENCH=OFF >/dev/null
cmake --build build --target pagula pagula-compose
exec build/bin/pagula "$@"
