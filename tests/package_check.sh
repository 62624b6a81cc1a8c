#!/usr/bin/env bash
# The Debian package as a lab machine gets it: built from this tree, its files
# listed, the desktop entry and manual pages validated, then unpacked and run.
# Usage: tests/package_check.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb=$(ls "$work"/out/agvsim_*_*.deb)

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in bin/agvsim bin/agvsim-export bin/agvsim-plot bin/agvsim-sweep bin/agvsim-video \
            share/man/man1/agvsim.1.gz share/man/man1/agvsim-export.1.gz \
            share/man/man1/agvsim-plot.1.gz share/man/man1/agvsim-video.1.gz \
            share/man/man1/agvsim-sweep.1.gz \
            share/agvsim/plot/run_figures.py share/agvsim/plot/settle_maps.py \
            share/doc/agvsim/theory.md share/doc/agvsim/theory-delay.png \
            share/applications/agvsim.desktop \
            share/icons/hicolor/scalable/apps/agvsim.svg; do
  grep -qx "./usr/$path" <<<"$listing" || fail "the package lacks /usr/$path"
done
# The page goes in whenever make web has written it.
if [ -f "$(dirname "$0")/../dist/agvsim.html" ]; then
  grep -qx "./usr/share/agvsim/agvsim.html" <<<"$listing" || fail "the package lacks the browser page"
fi
dpkg-deb -f "$deb" Depends | grep -q 'libglut' || fail "Depends does not name GLUT"
dpkg-deb -f "$deb" Recommends | grep -q 'python3-matplotlib' || fail "matplotlib not recommended"

dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
desktop-file-validate "$usr/share/applications/agvsim.desktop" || fail "desktop entry"
for page in "$usr"/share/man/man1/*.1.gz; do
  warnings=$(zcat "$page" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

"$usr/bin/agvsim-export" --help >/dev/null || fail "packaged agvsim-export --help"
settings=(--path circle --fn 0.8 --zeta 0.5 --pose 1 -1 30)
"$usr/bin/agvsim-export" "${settings[@]}" >"$work/packaged.csv" || fail "packaged agvsim-export"
"$build/agvsim-export" "${settings[@]}" >"$work/built.csv" || fail "built agvsim-export"
cmp -s "$work/packaged.csv" "$work/built.csv" || fail "packaged and built agvsim-export differ"
"$usr/bin/agvsim-sweep" --fn 0.5,1 --mech 2DW1C -j 2 >"$work/packaged-sweep.csv" &&
  "$build/agvsim-sweep" --fn 0.5,1 --mech 2DW1C -j 1 | cmp -s - "$work/packaged-sweep.csv" ||
  fail "packaged and built agvsim-sweep differ"
# The installed plot tool finds the agvsim-export installed beside it.
"$usr/bin/agvsim-plot" --mech 2DW1C --law P -o "$work/plot.png" && [ -s "$work/plot.png" ] ||
  fail "packaged agvsim-plot"

[ "$failures" -eq 0 ] && echo "package: all checks passed" || echo "package: $failures failed"
[ "$failures" -eq 0 ]
