#!/usr/bin/env bash
# Runs the frame benchmark in a private Xvfb server with software GL.
# Usage: bench/run_frame_bench.sh [build dir, default build] [benchmark options]
set -eu
build=${1:-build}
shift || true
program="$build/bench/bench_frame"
[ -x "$program" ] || { echo "no $program; build first (cmake --build $build)" >&2; exit 1; }

fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 4 -screen 0 1024x1024x24 -nolisten tcp -noreset 4>"$fifo" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 30 number < "$fifo"
DISPLAY=":$number" LIBGL_ALWAYS_SOFTWARE=1 "$program" "$@"
