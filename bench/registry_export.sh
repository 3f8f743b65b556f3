#!/usr/bin/env bash
# Registry export figures: ExportRegistryBranch (snapshot and script) against
# `wine reg export` of the same generated branch, in the same Wine prefix and
# run: wall time and peak memory of both.
#   bench/registry_export.sh [keys...]        (default: 1000 10000)
# BUILD=<folder> picks the build folder (default build/reg-bench, or
# build/reg-bench64 where the 64-bit program runs).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. tools/wine-arch -
scrivlo_wine_pick "$(basename "$0")" || exit 1
build=${BUILD:-build/reg-bench$scrivlo_suffix}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 10000)
runs=3

cmake --preset "bench-$scrivlo_preset" -B "$build" >/dev/null
cmake --build "$build" -j2 --target reg_bench_branch reg_export_bench >/dev/null

export WINEPREFIX=$PWD/$build/wineprefix
tools/wine-prefix "$WINEPREFIX" "$scrivlo_arch"
# One persistent wineserver, started outside the measurements.
wineserver -p 120
trap 'wine "$build/bench/reg_bench_branch.exe" delete >/dev/null 2>&1 || true; wineserver -k || true' EXIT

# Runs a command under /usr/bin/time; prints "seconds maxrss-KiB".
timed() {
  /usr/bin/time -f '%e %M' -o "$build/time.txt" "$@" >"$build/out.txt" 2>/dev/null
  cat "$build/time.txt"
}

printf '%-7s | %-28s | %8s | %14s | %14s | %9s\n' keys program "wall s" "max RSS KiB" "private KiB" "script B"
for keys in "${sizes[@]}"; do
  wine "$build/bench/reg_bench_branch.exe" create "$keys" >/dev/null
  wine "$build/bench/reg_export_bench.exe" >/dev/null   # warm caches for both
  wine reg export 'HKCU\Software\ScrivloBench' "$build/reg-export.reg" /y >/dev/null 2>&1
  best_ours=; best_reg=
  for _ in $(seq $runs); do
    read -r ours_s ours_rss < <(timed "$WINELOADER" "$build/bench/reg_export_bench.exe")
    read -r _k bytes _snap total_ms peak_ws peak_private < "$build/out.txt"
    read -r reg_s reg_rss < <(timed "$WINELOADER" reg export 'HKCU\Software\ScrivloBench' "$build/reg-export.reg" /y)
    if [ -z "$best_ours" ] || (( $(echo "$ours_s < $best_ours" | bc) )); then
      best_ours=$ours_s; ours_line=("$ours_rss" "$peak_private" "$bytes" "$total_ms" "$peak_ws")
    fi
    if [ -z "$best_reg" ] || (( $(echo "$reg_s < $best_reg" | bc) )); then
      best_reg=$reg_s; reg_line=("$reg_rss")
    fi
  done
  reg_bytes=$(stat -c %s "$build/reg-export.reg")
  printf '%-7s | %-28s | %8s | %14s | %14s | %9s\n' "$keys" "reg_export_bench" "$best_ours" \
    "${ours_line[0]}" "${ours_line[1]}" "${ours_line[2]}"
  printf '%-7s | %-28s | %8s | %14s | %14s | %9s\n' "" "  in-process: export ms, peak WS KiB" \
    "${ours_line[3]}" "${ours_line[4]}" "" ""
  printf '%-7s | %-28s | %8s | %14s | %14s | %9s\n' "" "wine reg export" "$best_reg" \
    "${reg_line[0]}" "-" "$reg_bytes"
done
