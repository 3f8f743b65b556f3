#!/usr/bin/env bash
# ScrivloCompare at scale, natively: two logs of FILES files each and two
# scripts of KEYS keys each (bench/make_compare_files.py writes them, with a
# few percent of every kind of difference), compared on one core.
#   bench/compare.sh [FILES KEYS]...      (default: 100000 50000  200000 100000)
# Builds ScrivloCompare with the bench-host preset (Release) and writes the
# files into build/compare-bench/FILES-KEYS. Each comparison (the two logs,
# the two scripts, each as the report and as records) runs ROUNDS times
# (default 5) under taskset on one core; the best wall time counts, with the
# user and system time and the peak resident memory of that run
# (/usr/bin/time). The page cache is warm: every file is read once first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
rounds=${ROUNDS:-5}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 50000 200000 100000)

cmake --preset bench-host >/dev/null && cmake --build --preset bench-host -j2 --target ScrivloCompare >/dev/null
program=$PWD/build/bench-host/compare/ScrivloCompare
core=$(($(nproc) - 1))

printf '%-8s %-8s %-7s %-6s %8s %7s %7s %10s %12s\n' files keys what format "wall s" "user s" "sys s" "RSS KiB" "input bytes"
while [ ${#sizes[@]} -ge 2 ]; do
  files=${sizes[0]} keys=${sizes[1]}
  sizes=("${sizes[@]:2}")
  dir=build/compare-bench/$files-$keys
  [ -f "$dir/customer/QZRegNode.reg" ] || python3 bench/make_compare_files.py "$dir" "$files" "$keys"
  cat "$dir"/*/* >/dev/null
  for what in QZScrivlo.log QZRegNode.reg; do
    input=$(($(stat -c %s "$dir/reference/$what") + $(stat -c %s "$dir/customer/$what")))
    for format in text csv; do
      best=""
      for _ in $(seq "$rounds"); do
        line=$( { /usr/bin/time -f '%e %U %S %M' taskset -c "$core" "$program" --format="$format" \
                    "$dir/reference/$what" "$dir/customer/$what" >/dev/null; } 2>&1 | tail -n 1 || true)
        if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
          best=$line
        fi
      done
      read -r wall user sys rss <<<"$best"
      printf '%-8s %-8s %-7s %-6s %8s %7s %7s %10s %12s\n' "$files" "$keys" "${what#QZ}" "$format" "$wall" "$user" \
        "$sys" "$rss" "$input"
    done
  done
done
