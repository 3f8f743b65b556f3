#!/usr/bin/env bash
# Inventory figures: LogFolderTree under Wine (inventory_bench) against
# `md5deep -r` natively on the same generated trees, in one run: wall time of
# both, and the memory of ours as the tree grows.
#   bench/inventory.sh [files...]        (default: 5000 10000 20000)
# BUILD=<folder> picks the build folder (default build/prf-bench); the trees
# are made there by bench/make_tree.py (about 85 KB a file on average) and
# kept for later runs.
#
# The page cache cannot be dropped without root, so every program runs twice
# in a row on a tree and the second run is the one measured: both read a warm
# cache. The digests of the two logs are compared (every file, by name).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD:-build/prf-bench}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(5000 10000 20000)

command -v md5deep >/dev/null || tools/bootstrap
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset bench-cross -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target inventory_bench >/dev/null
build=$(cd "$build" && pwd)

export WINEPREFIX=$build/wineprefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
tools/wine-prefix "$WINEPREFIX"
# One persistent wineserver, started outside the measurements.
wineserver -k 2>/dev/null || true   # one left from an earlier run of this prefix
wineserver -p 120
trap 'wineserver -k || true' EXIT

# Runs a command under /usr/bin/time, output to $build/out.txt; prints
# "seconds maxrss-KiB".
timed() {
  /usr/bin/time -f '%e %M' -o "$build/time.txt" "$@" >"$build/out.txt" 2>"$build/err.txt"
  cat "$build/time.txt"
}

# "digest name" of every file line of our log (lines with a digest column).
our_digests() { tr -d '\r' <"$1" | sed -n 's/^\([0-9a-f]\{32\}\) \{9\}\([^ ]*\) .*/\1 \2/p' | sort; }
# The same from md5deep's output (digest, two spaces, full path).
md5deep_digests() { sed 's|^\([0-9a-f]\{32\}\)  .*/\([^/]*\)$|\1 \2|' "$1" | sort; }

printf '%-6s | %-22s | %7s | %9s | %11s | %12s | %12s\n' files program "wall s" "walk ms" "max RSS KiB" \
  "WS KiB" "private KiB"
for files in "${sizes[@]}"; do
  tree=$build/tree$files
  python3 bench/make_tree.py "$tree" "$files"
  windows_tree="Z:${tree//\//\\}\\"
  log="Z:${build//\//\\}\\inventory-$files.log"

  for pass in 1 2; do
    read -r ours_s ours_rss < <(timed wine "$build/bench/inventory_bench.exe" "$windows_tree" "$log")
    read -r messages walk_ms ws_before ws_peak private_before private_peak < <(tr -d '\r' <"$build/out.txt")
  done
  [ "$messages" = 0 ] || { echo "the inventory showed $messages messages"; cat "$build/err.txt"; exit 1; }
  for pass in 1 2; do
    read -r deep_s deep_rss < <(timed md5deep -r "$tree")
  done
  cp "$build/out.txt" "$build/md5deep-$files.txt"
  for pass in 1 2; do
    read -r deep1_s deep1_rss < <(timed md5deep -j1 -r "$tree")
  done

  ours=$(our_digests "$build/inventory-$files.log")
  theirs=$(md5deep_digests "$build/md5deep-$files.txt")
  [ "$ours" = "$theirs" ] || { echo "the digests of the two logs differ"; exit 1; }
  listed=$(printf '%s\n' "$ours" | wc -l)
  [ "$listed" = "$files" ] || { echo "$listed files listed, $files made"; exit 1; }

  printf '%-6s | %-22s | %7s | %9s | %11s | %12s | %12s\n' "$files" "inventory_bench (Wine)" "$ours_s" \
    "$walk_ms" "$ours_rss" "$ws_before -> $ws_peak" "$private_before -> $private_peak"
  printf '%-6s | %-22s | %7s | %9s | %11s | %12s | %12s\n' "" "md5deep -r" "$deep_s" "-" "$deep_rss" "-" "-"
  printf '%-6s | %-22s | %7s | %9s | %11s | %12s | %12s\n' "" "md5deep -j1 -r" "$deep1_s" "-" "$deep1_rss" "-" "-"
  printf '%-6s   ratio to md5deep -r: %.2f (wall), %.2f (walk); to -j1: %.2f (wall)\n' "" \
    "$(echo "$ours_s / $deep_s" | bc -l)" "$(echo "$walk_ms / 1000 / $deep_s" | bc -l)" \
    "$(echo "$ours_s / $deep1_s" | bc -l)"
done
