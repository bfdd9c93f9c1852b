#!/usr/bin/env bash
# Starts the real program under Xvfb with a few generated page pictures in its current folder
# and lets it walk through its windows (PAGULA_SCREENSHOTS), saving a PNG of each:
#   scripts/screenshots.sh [output folder]      (default: build-test/screenshots)
# Needs Xvfb, openbox and ImageMagick's convert (scripts/deps.sh test installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(realpath -m "${1:-build-test/screenshots}")

if [ ! -f build-test/build.ninja ]; then
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build-test -j2 --target pagula

pages=$(mktemp -d)
trap 'rm -rf "$pages"' EXIT
for i in 1 2 3 4 5 6; do
    convert -size 620x877 xc:white -fill black \
        -pointsize 44 -annotate +40+80 "Билет $i" \
        -pointsize 20 \
        -annotate +40+140 "Определение. Пусть задана функция f(x)," \
        -annotate +40+170 "непрерывная на отрезке [a, b]. Тогда" \
        -annotate +40+200 "существует точка c, в которой ..." \
        -fill "rgb(70,90,160)" -draw "rectangle 40,260 580,620" \
        -fill black -annotate +40+680 "Доказательство: см. лекцию $i." \
        "$pages/page-$i.jpg"
done

rm -rf "$out"
mkdir -p "$out"
# A 1024 x 768 screen managed by openbox, as on a small desktop.
(cd "$pages" && PAGULA_SCREENSHOTS="$out" timeout 120 \
    "$root/tests/desktop/with_window_manager.sh" "$root/build-test/bin/pagula")
echo "Screenshots in $out:"
ls -1 "$out"
