#!/usr/bin/env bash
# Installs what is missing, builds Pagula and pagula-compose (Release, in build/) and starts Pagula.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake --preset release >/dev/null
cmake --build --preset release
exec build/bin/pagula "$@"
