#!/usr/bin/env bash
# Message box latency under Wine on a virtual display: from the SkinMessageBox
# call to the box being shown and painted, and from a real click on its OK
# button to the call's return (QueryPerformanceCounter, median of N runs).
#   bench/message_box.sh [runs]        (default 20)
# BUILD=<folder> picks the build folder (default build/mb-bench, or
# build/mb-bench64 where the 64-bit program runs).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. tools/wine-arch -
scrivlo_wine_pick "$(basename "$0")" || exit 1
build=${BUILD:-build/mb-bench$scrivlo_suffix}
runs=${1:-20}

cmake --preset "bench-$scrivlo_preset" -B "$build" >/dev/null
cmake --build "$build" -j2 --target message_box_bench >/dev/null

export WINEPREFIX=$PWD/$build/wineprefix
tools/wine-prefix "$WINEPREFIX" "$scrivlo_arch"
# One persistent wineserver, started outside the measurements.
wineserver -p 120
trap 'wineserver -k || true' EXIT

xvfb-run -a -s "-screen 0 1024x768x24" "$WINELOADER" "$build/bench/message_box_bench.exe" "$runs" | tr -d '\r'
