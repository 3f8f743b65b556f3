#!/usr/bin/env bash
# MD5 figures: Md5Update against OpenSSL natively, and ComputeFileMd5 under
# Wine against md5sum on the same 1 GiB file.
#   bench/md5.sh [size-in-MiB]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
size_mib=${1:-1024}

tools/bootstrap
. tools/wine-arch -
scrivlo_wine_pick "$(basename "$0")" || exit 1
cross=build/bench-$scrivlo_preset
cmake --preset bench-host >/dev/null && cmake --build --preset bench-host -j2 --target md5_bench >/dev/null
cmake --preset "bench-$scrivlo_preset" >/dev/null && cmake --build --preset "bench-$scrivlo_preset" -j2 --target md5_file_bench >/dev/null

echo "== Md5Update, 32 KiB blocks, native =="
build/bench-host/bench/md5_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

file=$cross/md5-bench-${size_mib}MiB.bin
if [ ! -f "$file" ]; then
  head -c $((size_mib * 1024 * 1024)) /dev/urandom > "$file"
fi
cat "$file" > /dev/null   # both readers start from the page cache

tools/wine-run --prefix "$cross/wineprefix" "$cross/bench/md5_file_bench.exe" "$file" >/dev/null
start=$(date +%s.%N)
reference=$(md5sum "$file" | cut -d' ' -f1)
end=$(date +%s.%N)
md5sum_seconds=$(echo "$end - $start" | bc -l)
read -r digest wine_seconds < <(tools/wine-run --prefix "$cross/wineprefix" \
  "$cross/bench/md5_file_bench.exe" "$file")

echo "== ComputeFileMd5 under Wine vs md5sum, ${size_mib} MiB =="
[ "$digest" = "$reference" ] || { echo "digest mismatch: $digest vs $reference"; exit 1; }
printf 'ComputeFileMd5 (Wine): %.3f s\nmd5sum (native):        %.3f s\nratio:                  %.2f\n' \
  "$wine_seconds" "$md5sum_seconds" "$(echo "$wine_seconds / $md5sum_seconds" | bc -l)"
