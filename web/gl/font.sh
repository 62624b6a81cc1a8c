#!/usr/bin/env bash
# Writes the bitmap font's C++ file from Debian's freeglut source package,
# fetched once into the build folder (or taken from AGV_FREEGLUT_SOURCE).
# Usage: font.sh BUILD_DIR OUT_CPP
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$1
out=$2
source=${AGV_FREEGLUT_SOURCE:-}
if [ -z "$source" ]; then
  source=$(find "$build/freeglut-source" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*' 2>/dev/null | head -n 1)
fi
if [ -z "$source" ]; then
  bash "$here/../../tools/deb-src.sh"
  rm -rf "$build/freeglut-source" && mkdir -p "$build/freeglut-source"
  (cd "$build/freeglut-source" && apt-get source -qq --download-only freeglut >/dev/null 2>&1 &&
     tar -xzf freeglut_*.orig.tar.gz)
  source=$(find "$build/freeglut-source" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*' | head -n 1)
fi
/usr/bin/python3 "$here/make_font.py" "$source/src/fg_font_data.c" Helvetica18 "$out"
