#!/usr/bin/env bash
# Skin hook figures under Wine and Xvfb: messages per second to a dialog of
# 100 standard controls with no hook, with a bare pass-on hook and with the
# skin manager installed, and the time of one hover poll over that dialog.
#   bench/hook.sh [messages-per-run]      (default 20000)
# BUILD=<folder> picks the build folder (default build/bench-cross, or
# build/bench-cross64 where the 64-bit program runs).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. tools/wine-arch -
scrivlo_wine_pick "$(basename "$0")" || exit 1
build=${BUILD:-build/bench-$scrivlo_preset}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset "bench-$scrivlo_preset" -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target hook_bench >/dev/null

# The cursor is moved for the hover poll: a display of its own.
xvfb-run -a -s "-screen 0 1024x768x24" \
  tools/wine-run --prefix "$build/wineprefix" "$build/bench/hook_bench.exe" "$@"
