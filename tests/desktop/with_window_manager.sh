#!/usr/bin/env bash
# Runs a program on a display of its own (Xvfb, 1024 x 768, or PAGULA_SCREEN such as 1366x768)
# managed by openbox, the way a user's desktop runs it, and ends both afterwards. Exits 77
# (skipped) when Xvfb or openbox is missing.
#   with_window_manager.sh PROGRAM [ARGS...]
set -uo pipefail
for tool in Xvfb openbox xprop xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/deps.sh test installs it)"
        exit 77
    fi
done
work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the pipe once it accepts clients.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "${PAGULA_SCREEN:-1024x768}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
read -r -t 30 number <"$work/display" || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$number"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' ||
    { echo "openbox did not start"; cat "$work/openbox.log"; exit 1; }

QT_QPA_PLATFORM=xcb "$@"
