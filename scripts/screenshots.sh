#!/usr/bin/env bash
# Starts the real program under Xvfb with a few generated page pictures in its current folder
# and lets it walk through its windows (PAGULA_SCREENSHOTS), saving a PNG of each:
#   scripts/screenshots.sh [output folder]      (default: build-test/screenshots)
#   PAGULA_SCREEN=1366x768 scripts/screenshots.sh ...   on a screen of another size
#   PAGULA_LANG=en scripts/screenshots.sh ...             in another language (--lang)
# Then makes the README's pictures in docs/images/: the main window with a job list, and a
# front page with its back page from a two-sided run of pagula-compose, side by side.
# Needs Xvfb, openbox, ImageMagick's convert and pdftoppm (scripts/deps.sh test installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(realpath -m "${1:-build-test/screenshots}")

if [ ! -f build-test/build.ninja ]; then
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build-test -j2 --target pagula pagula-compose

base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
pages="$base/Билеты"
mkdir "$pages"
for i in 1 2 3 4 5 6 7 8; do
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
# A 1024 x 768 screen (or PAGULA_SCREEN) managed by openbox, as on a small desktop.
(cd "$pages" && PAGULA_SCREENSHOTS="$out" timeout 120 \
    "$root/tests/desktop/with_window_manager.sh" "$root/build-test/bin/pagula" \
    ${PAGULA_LANG:+--lang "$PAGULA_LANG"})
echo "Screenshots in $out:"
ls -1 "$out"

# The README's pictures: about 800 pixels wide, 64 colours, so that they stay small.
images="$root/docs/images"
mkdir -p "$images"
shrink() { convert "$1" -resize "${2}x>" -colors 64 -strip "PNG8:$3"; }
shrink "$out/02-main-window-job-list.png" 800 "$images/main-window.png"

# Two-sided: fronts get the odd entries, backs the even ones, each back cell behind its front.
sides="$base/sides"
mkdir "$sides"
for i in 1 2 3 4 5 6 7 8; do printf '%s0\r\n' "$pages/page-$i.jpg"; done >"$sides/list.txt"
"$root/build-test/bin/pagula-compose" --quiet --columns 2 --rows 2 --two-sided --duplex \
    --dpi 100 "$sides/list.txt" "$sides/both.pdf"
pdftoppm -r 50 -f 1 -l 2 -png "$sides/both.pdf" "$sides/page"
convert "$sides"/page-*1.png "$sides"/page-*2.png -bordercolor "#808080" -border 1 \
    -background white -splice 12x0 +append -chop 12x0 "$sides/pair.png"
shrink "$sides/pair.png" 800 "$images/two-sided-pages.png"
echo "README pictures in $images:"
ls -l "$images"
