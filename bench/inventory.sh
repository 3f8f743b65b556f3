#!/usr/bin/env bash
# Inventory figures, all in one run and on the same generated trees:
#   - the platform's floor (inventory_floor, under Wine): the tree walked
#     alone, then walked and every file opened, read (32 KiB blocks) and
#     closed with 1, 2 and 4 threads taking files from one list, no digest;
#   - the inventory (inventory_bench, under Wine: LogFolderTree as the run
#     calls it, with its readers);
#   - `md5deep -r` and `md5deep -j1 -r` natively.
#   bench/inventory.sh [files...]        (default: 5000 10000 20000)
# ROUNDS (default 5) rounds after a warm-up run of each; in each round every
# program runs once, in turn, so that all see the same machine. Printed per
# program: wall seconds (minimum and median of the rounds); for the
# inventory also its CPU seconds with the wineserver's share and its peak
# private bytes. Then the ratios of the medians: the inventory to the best
# floor figure of the run, and to `md5deep -r`.
# BEFORE=<inventory_bench.exe> adds that build of the inventory (an earlier
# commit's, say) to every round as "before"; its log must equal ours byte for
# byte, and the ratio of the medians is printed.
# BUILD=<folder> picks the build folder (default build/prf-bench, or
# build/prf-bench64 where the 64-bit program runs); the trees
# are made there by bench/make_tree.py (about 85 KB a file on average) and
# kept for later runs. The page cache cannot be dropped without root: every
# figure is of a warm cache. The digests of the inventory's log are compared
# with md5deep's (every file, by name).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(5000 10000 20000)
rounds=${ROUNDS:-5}

command -v md5deep >/dev/null || tools/bootstrap
. tools/wine-arch -
scrivlo_wine_pick "$(basename "$0")" || exit 1
build=${BUILD:-build/prf-bench$scrivlo_suffix}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset "bench-$scrivlo_preset" -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target inventory_bench inventory_floor >/dev/null
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

# "minimum median" of the numbers given.
min_median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.2f %.2f", v[1], m }'
}

# "digest name" of every file line of our log (lines with a digest column).
our_digests() { tr -d '\r' <"$1" | sed -n 's/^\([0-9a-f]\{32\}\) \{9\}\([^ ]*\) .*/\1 \2/p' | sort; }
# The same from md5deep's output (digest, two spaces, full path).
md5deep_digests() { sed 's|^\([0-9a-f]\{32\}\)  .*/\([^/]*\)$|\1 \2|' "$1" | sort; }

programs=(walk read1 read2 read4 inventory md5deep md5deep-j1)
if [ -n "${BEFORE:-}" ]; then
  [ -f "$BEFORE" ] || { echo "BEFORE=$BEFORE: no such program"; exit 1; }
  programs+=(before)
fi
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), load now: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Wine: $scrivlo_arch program; $rounds rounds; seconds as minimum / median"
for files in "${sizes[@]}"; do
  tree=$build/tree$files
  python3 bench/make_tree.py "$tree" "$files"
  windows_tree="Z:${tree//\//\\}\\"
  log="Z:${build//\//\\}\\inventory-$files.log"
  declare -A command=(
    [walk]="$WINELOADER $build/bench/inventory_floor.exe walk $windows_tree"
    [read1]="$WINELOADER $build/bench/inventory_floor.exe read 1 $windows_tree"
    [read2]="$WINELOADER $build/bench/inventory_floor.exe read 2 $windows_tree"
    [read4]="$WINELOADER $build/bench/inventory_floor.exe read 4 $windows_tree"
    [inventory]="$WINELOADER $build/bench/inventory_bench.exe $windows_tree $log"
    [md5deep]="md5deep -r $tree"
    [md5deep-j1]="md5deep -j1 -r $tree"
    [before]="$WINELOADER ${BEFORE:-} $windows_tree ${log%.log}-before.log"
  )
  declare -A walls=() cpus=() privates=()
  for program in "${programs[@]}"; do
    # shellcheck disable=SC2086
    timed ${command[$program]} >/dev/null  # warm-up
  done
  for _ in $(seq "$rounds"); do
    for program in "${programs[@]}"; do
      # shellcheck disable=SC2086
      read -r wall cpu _ <<<"$(timed ${command[$program]})"
      walls[$program]+=" $wall"
      cpus[$program]+=" $cpu"
      if [ "$program" = inventory ] || [ "$program" = before ]; then
        read -r messages _ _ _ _ private_peak <"$build/out.txt"
        [ "$messages" = 0 ] || { echo "the inventory showed messages"; cat "$build/err.txt"; exit 1; }
        privates[$program]+=" $private_peak"
      fi
      [ "$program" != md5deep ] || cp "$build/out.txt" "$build/md5deep-$files.txt"
    done
  done

  ours_list=$(our_digests "$build/inventory-$files.log")
  [ "$ours_list" = "$(md5deep_digests "$build/md5deep-$files.txt")" ] || { echo "the digests differ"; exit 1; }
  if [ -n "${BEFORE:-}" ]; then
    cmp -s "$build/inventory-$files.log" "$build/inventory-$files-before.log" || { echo "the logs before and now differ"; exit 1; }
  fi
  listed=$(printf '%s\n' "$ours_list" | wc -l)
  [ "$listed" = "$files" ] || { echo "$listed files listed, $files made"; exit 1; }

  echo
  echo "== $files files ($(du -sh "$tree" | cut -f1)) =="
  declare -A median=()
  for program in "${programs[@]}"; do
    # shellcheck disable=SC2086
    read -r low mid <<<"$(min_median ${walls[$program]})"
    median[$program]=$mid
    extra=""
    if [ "$program" = inventory ] || [ "$program" = before ]; then
      # shellcheck disable=SC2086
      read -r _ cpu_mid <<<"$(min_median ${cpus[$program]})"
      # shellcheck disable=SC2086
      peak=$(printf '%s\n' ${privates[$program]} | sort -n | tail -n 1)
      extra="  CPU $cpu_mid s (median), peak private $peak KiB"
    fi
    printf '%-11s %6s / %6s s%s\n' "$program" "$low" "$mid" "$extra"
  done
  best_floor=$(printf '%s\n' "${median[read1]}" "${median[read2]}" "${median[read4]}" | sort -g | head -n 1)
  printf 'ratios of the medians: inventory / best floor (%s s) %.2f; inventory / md5deep -r %.2f; inventory / md5deep -j1 -r %.2f\n' \
    "$best_floor" "$(echo "${median[inventory]} / $best_floor" | bc -l)" \
    "$(echo "${median[inventory]} / ${median[md5deep]}" | bc -l)" "$(echo "${median[inventory]} / ${median[md5deep-j1]}" | bc -l)"
  if [ -n "${BEFORE:-}" ]; then
    printf 'inventory / before: %.2f\n' "$(echo "${median[inventory]} / ${median[before]}" | bc -l)"
  fi
  unset command walls cpus privates median
done
echo
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
