#!/usr/bin/env bash
# The control gallery: builds ScrivloGallery (the cross preset, or cross64
# where only the 64-bit program runs) and saves two
# screenshots of its dialog taken under Xvfb, with the skin and without it:
# docs/gallery-skinned.png and docs/gallery-plain.png.
#   tools/gallery.sh                 # build, take both pictures
#   tools/gallery.sh --show [--plain]  # build, run it on $DISPLAY (or Xvfb) to try by hand
# BUILD=<folder> picks the build folder (default build/gallery-cross or
# build/gallery-cross64). The
# program runs in a Wine prefix of its own there, with the system's default
# colours (the engine tests change theirs).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. tools/wine-arch -
scrivlo_wine_pick "$(basename "$0")" || exit 1

build=${BUILD:-build/gallery-$scrivlo_preset}
prefix=$build/wineprefix-gallery

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset "$scrivlo_preset" -B "$build" -DSCRIVLO_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target ScrivloGallery >/dev/null
exe=$build/tools/gallery/ScrivloGallery.exe

# The classic look the engine's flat frames replace: Wine's own visual theme
# (which draws most controls flat already) is switched off in this prefix.
if [ ! -f "$prefix/.gallery-classic" ]; then
  tools/wine-run --prefix "$prefix" reg.exe add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
    /v ThemeActive /d 0 /f >/dev/null
  WINEPREFIX=$(cd "$prefix" && pwd) wineserver -w
  touch "$prefix/.gallery-classic"
fi

if [ "${1:-}" = "--show" ]; then
  shift
  if [ -n "${DISPLAY:-}" ]; then
    exec tools/wine-run --prefix "$prefix" "$exe" "$@"
  fi
  exec xvfb-run -a tools/wine-run --prefix "$prefix" "$exe" "$@"
fi

command -v convert >/dev/null || { echo "gallery.sh: ImageMagick's convert is needed" >&2; exit 1; }
mkdir -p docs
shot() {  # shot NAME [program arguments...]
  local name=$1
  shift
  local bmp=$build/gallery-$name.bmp
  rm -f "$bmp"
  # One Xvfb of its own per picture: the same 24-bit screen every time,
  # whatever display the caller has.
  xvfb-run -a -s "-screen 0 1024x768x24" tools/wine-run --prefix "$prefix" "$exe" "$@" --screenshot "$bmp"
  [ -s "$bmp" ] || { echo "gallery.sh: no screenshot for $name" >&2; exit 1; }
  convert "$bmp" -strip "docs/gallery-$name.png"
  echo "docs/gallery-$name.png"
}
shot skinned
shot plain --plain
