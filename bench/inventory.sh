#!/usr/bin/env bash
# Inventory figures: LogFolderTree under Wine (inventory_bench) against
# `md5deep -r` natively on the same generated trees, in one run: wall time of
# both, and the memory of ours as the tree grows.
#   bench/inventory.sh [files...]        (default: 5000 10000 20000)
# BUILD=<folder> picks the build folder (default build/prf-bench, or
# build/prf-bench64 where the 64-bit program runs); the trees
# are made there by bench/make_tree.py (about 85 KB a file on average) and
# kept for later runs.
#
# The page cache cannot be dropped without root, so every program runs once
# on a tree to warm it, then ROUNDS times (default 3) alternating with the
# others, and its best wall time counts: all read a warm cache, and the best
# of several runs is the one least disturbed by other work on the machine.
# CPU time is given beside it (for ours with the wineserver's share). The
# digests of the two logs are compared (every file, by name).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(5000 10000 20000)
rounds=${ROUNDS:-3}

command -v md5deep >/dev/null || tools/bootstrap
. tools/wine-arch -
scrivlo_wine_pick "$(basename "$0")" || exit 1
build=${BUILD:-build/prf-bench$scrivlo_suffix}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset "bench-$scrivlo_preset" -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target inventory_bench >/dev/null
build=$(cd "$build" && pwd)

export WINEPREFIX=$build/wineprefix
tools/wine-prefix "$WINEPREFIX" "$scrivlo_arch"
# One persistent wineserver, started outside the measurements.
wineserver -k 2>/dev/null || true   # one left from an earlier run of this prefix
wineserver -p 120
trap 'wineserver -k || true' EXIT

# CPU ticks (user + system) of this prefix's wineserver so far: the server
# does the file system's bookkeeping for a Wine program, so its time is part
# of ours.
# It runs in a folder named after the prefix's device and inode.
server_dir=server-$(printf '%x' "$(stat -c %d "$WINEPREFIX")")-$(printf '%x' "$(stat -c %i "$WINEPREFIX")")
server_pid=
for p in /proc/[0-9]*; do
  if [[ "$(readlink "$p/cwd" 2>/dev/null)" == */"$server_dir" ]] && grep -q '^wineserver' "$p/comm" 2>/dev/null; then
    server_pid=${p#/proc/}
  fi
done
[ -n "$server_pid" ] || { echo "the prefix's wineserver was not found"; exit 1; }
server_ticks() { awk '{ print $14 + $15 }' "/proc/$server_pid/stat"; }
hz=$(getconf CLK_TCK)

# Runs a command under /usr/bin/time, output to $build/out.txt; prints
# "wall-seconds cpu-seconds maxrss-KiB", the CPU time with the wineserver's
# share of the same interval.
timed() {
  local before after
  before=$(server_ticks)
  /usr/bin/time -f '%e %U %S %M' -o "$build/time.txt" "$@" >"$build/out.txt" 2>"$build/err.txt"
  after=$(server_ticks)
  read -r wall user sys rss <"$build/time.txt"
  echo "$wall $(echo "$user + $sys + ($after - $before) / $hz" | bc -l | xargs printf '%.2f') $rss"
}

# Keeps the best (lowest) wall time of a program: best_<name> holds
# "wall cpu rss" of its best run, extra_<name> the line of out.txt.
keep_best() {
  local name=$1 line=$2 current
  current=$(eval echo "\${best_$name:-}")
  if [ -z "$current" ] || (( $(echo "${line%% *} < ${current%% *}" | bc) )); then
    eval "best_$name=\$line"
    eval "extra_$name=\$(tr -d '\\r' <\"\$build/out.txt\")"
    [ "$name" != deep ] || cp "$build/out.txt" "$build/md5deep-$files.txt"
  fi
}

# "digest name" of every file line of our log (lines with a digest column).
our_digests() { tr -d '\r' <"$1" | sed -n 's/^\([0-9a-f]\{32\}\) \{9\}\([^ ]*\) .*/\1 \2/p' | sort; }
# The same from md5deep's output (digest, two spaces, full path).
md5deep_digests() { sed 's|^\([0-9a-f]\{32\}\)  .*/\([^/]*\)$|\1 \2|' "$1" | sort; }

row() { printf '%-6s | %-22s | %7s | %7s | %9s | %11s | %15s | %15s\n' "$@"; }
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), load now: $(cut -d' ' -f1-3 /proc/loadavg)"
row files program "wall s" "CPU s" "walk ms" "max RSS KiB" "WS KiB" "private KiB"
for files in "${sizes[@]}"; do
  tree=$build/tree$files
  python3 bench/make_tree.py "$tree" "$files"
  windows_tree="Z:${tree//\//\\}\\"
  log="Z:${build//\//\\}\\inventory-$files.log"
  ours=("$WINELOADER" "$build/bench/inventory_bench.exe" "$windows_tree" "$log")

  # The first run of each warms the cache; the best of the rounds after it counts.
  timed "${ours[@]}" >/dev/null; timed md5deep -r "$tree" >/dev/null
  best_ours=; best_deep=; best_deep1=
  for _ in $(seq "$rounds"); do
    keep_best ours "$(timed "${ours[@]}")"
    read -r messages _ <<<"$extra_ours"
    [ "$messages" = 0 ] || { echo "the inventory showed messages"; cat "$build/err.txt"; exit 1; }
    keep_best deep "$(timed md5deep -r "$tree")"
    keep_best deep1 "$(timed md5deep -j1 -r "$tree")"
  done
  read -r ours_s ours_cpu ours_rss <<<"$best_ours"
  read -r messages walk_ms ws_before ws_peak private_before private_peak <<<"$extra_ours"
  read -r deep_s deep_cpu deep_rss <<<"$best_deep"
  read -r deep1_s deep1_cpu deep1_rss <<<"$best_deep1"

  ours_list=$(our_digests "$build/inventory-$files.log")
  [ "$ours_list" = "$(md5deep_digests "$build/md5deep-$files.txt")" ] || { echo "the digests differ"; exit 1; }
  listed=$(printf '%s\n' "$ours_list" | wc -l)
  [ "$listed" = "$files" ] || { echo "$listed files listed, $files made"; exit 1; }

  row "$files" "inventory_bench (Wine)" "$ours_s" "$ours_cpu" "$walk_ms" "$ours_rss" "$ws_before -> $ws_peak" \
    "$private_before -> $private_peak"
  row "" "md5deep -r" "$deep_s" "$deep_cpu" "-" "$deep_rss" "-" "-"
  row "" "md5deep -j1 -r" "$deep1_s" "$deep1_cpu" "-" "$deep1_rss" "-" "-"
  printf '%-6s   wall ratio to md5deep -r: %.2f, to md5deep -j1 -r: %.2f; CPU ratio to -j1: %.2f\n' "" \
    "$(echo "$ours_s / $deep_s" | bc -l)" "$(echo "$ours_s / $deep1_s" | bc -l)" \
    "$(echo "$ours_cpu / $deep1_cpu" | bc -l)"
done
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== where the inventory's time goes ($files files; ms, one piece after the other) =="
timed "$WINELOADER" "$build/bench/inventory_bench.exe" --profile "$windows_tree" >/dev/null
tr -d '\r' <"$build/out.txt"
