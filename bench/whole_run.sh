#!/usr/bin/env bash
# Whole-run figures: Scrivlo.exe under Wine and Xvfb, started by run_bench,
# which answers its boxes as a user would and samples the program's memory
# counters through its process handle: wall time from the start to the end
# of the process and the program's peak working set and private bytes.
#   bench/whole_run.sh [keys] [files]      (default: 10000 20000)
# The product's registry branch holds the install key and `keys` further
# keys (shape as in bench/registry_export.sh); the install folder is the
# inventory benchmark's tree of `files` files (bench/make_tree.py); the
# shared-files folder holds one small file. Every program runs twice and the
# second run is the one measured (warm page cache and registry).
# BUILD=<folder> picks the build folder (default build/prf-bench, or
# build/prf-bench64 where the 64-bit program runs).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. tools/wine-arch -
scrivlo_wine_pick "$(basename "$0")" || exit 1
build=${BUILD:-build/prf-bench$scrivlo_suffix}
keys=${1:-10000}
files=${2:-20000}

if [ -z "${PRF_ON_DISPLAY:-}" ]; then
  # Boxes are clicked with injected input: a display of its own.
  PRF_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset "bench-$scrivlo_preset" -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target Scrivlo run_bench >/dev/null
build=$(cd "$build" && pwd)
win() { local path="Z:${1//\//\\}"; echo "$path"; }

tree=$build/tree$files
python3 bench/make_tree.py "$tree" "$files"
folder=$build/whole-run
mkdir -p "$folder"
cp "$build/app/Scrivlo.exe" "$folder/Scrivlo.exe"

export WINEPREFIX=$build/wineprefix
tools/wine-prefix "$WINEPREFIX" "$scrivlo_arch"
wineserver -k 2>/dev/null || true   # one left from an earlier run of this prefix
wineserver -p 120
trap 'wine "$build/bench/run_bench.exe" teardown >/dev/null 2>&1 || true; wineserver -k || true' EXIT

wine "$build/bench/run_bench.exe" setup "$keys" "$(win "$tree")\\" | tr -d '\r'
for pass in 1 2; do
  rm -f "$folder/QZScrivlo.log" "$folder/QZRegNode.reg"
  line=$(wine "$build/bench/run_bench.exe" run "$(win "$folder")\\Scrivlo.exe" "$(win "$folder")\\" \
    2>"$build/whole-run-transcript.txt" | tr -d '\r')
done
read -r wall_ms boxes first_ms last_ms peak_ws peak_private samples exit_code <<<"$line"

# The run did the whole work: a line for every file and a section for every key.
lines=$(grep -c '^[0-9a-f]\{32\} ' "$folder/QZScrivlo.log")
[ "$lines" = $((files + 1)) ] || { echo "log lists $lines files, expected $((files + 1))"; exit 1; }
sections=$(grep -c '^\[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin' "$folder/QZRegNode.reg")
[ "$sections" = $((keys + 5)) ] || { echo "script holds $sections keys, expected $((keys + 5))"; exit 1; }

tr -d '\r' <"$build/whole-run-transcript.txt"
printf '%s\n' "keys $keys, files $files (+1 shared), log $(stat -c %s "$folder/QZScrivlo.log") B," \
  "script $(stat -c %s "$folder/QZRegNode.reg") B, exit code $exit_code, $samples memory samples"
printf '%-28s %10s\n' "wall, start to exit" "$wall_ms ms" "first box (log done)" "$first_ms ms" \
  "last box (script done)" "$last_ms ms" "boxes answered" "$boxes" \
  "peak working set" "$peak_ws KiB" "peak private (pagefile)" "$peak_private KiB"
