#!/usr/bin/env bash
# Fails when a C++ file of the project does not match .clang-format; lists those files.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
while IFS= read -r -d '' f; do
    if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "not formatted: $f (clang-format -i $f)"
        status=1
    fi
done < <(git ls-files -z -- '*.cpp' '*.h')
exit $status
