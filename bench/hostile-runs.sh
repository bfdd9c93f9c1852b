#!/usr/bin/env bash
# Peak memory and time of the batch command on pictures that cost the most the limits allow,
# and how long it takes to end after a signal:
#   - four copies of a 16-bit 4096 x 4096 RGB TIFF (128 MiB of samples each, a few hundred KB
#     on disk), decoded at once within the run's memory budget;
#   - four copies of a JPEG at the decoding cost limit;
#   - the four TIFFs again under an address space limit whose budget (a quarter of it) holds one
#     of their decodes but not two: the decodes wait for each other instead of running together;
#   - SIGTERM, SIGHUP and SIGINT two seconds into a run over the costly JPEGs: seconds to exit,
#     exit status, whether OUT changed and whether a temporary folder was left.
# Build first (cmake --build --preset dev); PAGULA_COMPOSE names another binary.
#   bench/hostile-runs.sh
set -euo pipefail
cd "$(dirname "$0")/.."
compose=${PAGULA_COMPOSE:-$PWD/build-test/bin/pagula-compose}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

convert -size 4096x4096 -depth 16 gradient:red-blue -compress zip "$work/deep.tif"
python3 bench/hostile-jpeg.py "$work/costly.jpg" costly
for n in 1 2 3 4; do
    cp "$work/deep.tif" "$work/deep$n.tif"
    cp "$work/costly.jpg" "$work/costly$n.jpg"
    printf '%s0\r\n' "$work/deep$n.tif" >>"$work/deep.txt"
    printf '%s0\r\n' "$work/costly$n.jpg" >>"$work/costly.txt"
done
echo "files: deep.tif $(stat -c %s "$work/deep.tif") bytes, costly.jpg $(stat -c %s "$work/costly.jpg") bytes"

for list in deep costly; do
    /usr/bin/time -f "%M %e %U" -o "$work/time" "$compose" -q -c 2 -r 2 "$work/$list.txt" \
        "$work/$list.pdf" 2>"$work/err" || true
    read -r rss elapsed user <"$work/time"
    echo "$list x4: peak RSS $((rss / 1024)) MiB, ${elapsed} s, ${user} CPU-s; $(head -c 200 "$work/err")"
done

# ulimit -v is in KiB; the budget is a quarter of it.
limit=1200000
(
    ulimit -v $limit
    /usr/bin/time -f "%M %e %U" -o "$work/time" "$compose" -q -c 2 -r 2 "$work/deep.txt" \
        "$work/deep.pdf" 2>"$work/err" || true
)
read -r rss elapsed user <"$work/time"
echo "deep x4, budget $((limit / 4 / 1024)) MiB (ulimit -v $limit): peak RSS $((rss / 1024)) MiB," \
    "${elapsed} s, ${user} CPU-s; $(head -c 200 "$work/err")"

for sig in TERM HUP INT; do
    echo previous >"$work/out.pdf"
    "$compose" -q -c 2 -r 2 "$work/costly.txt" "$work/out.pdf" 2>"$work/err" &
    pid=$!
    sleep 2
    start=$(date +%s.%N)
    kill -"$sig" "$pid"
    status=0
    wait "$pid" || status=$?
    end=$(date +%s.%N)
    left=$(find "$XDG_RUNTIME_DIR" -mindepth 2 -maxdepth 2 | wc -l)
    echo "SIG$sig: exit $status after $(echo "$end - $start" | bc) s; OUT $(cat "$work/out.pdf" | head -c 8);" \
        "temporary folders left: $left; $(cat "$work/err")"
done
