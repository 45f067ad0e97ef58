#!/usr/bin/env bash
# The start of the program up to its visible window, as an adviser's desktop
# sees it: a virtual X display (Xvfb) with a window manager (openbox), then
# build/bench/bench_start, which starts the program 10 times and reports the
# median from process start to the window being mapped. Arguments go to the
# benchmark (e.g. --benchmark_format=json).
set -euo pipefail
cd "$(dirname "$0")/.."

fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb=$!
read -r nummer <"$fifo"
rm -f "$fifo"
export DISPLAY=":$nummer"
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
# openbox owns the screen once it has set its supporting window.
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
build/bench/bench_start "$@"
