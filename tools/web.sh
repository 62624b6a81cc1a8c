#!/usr/bin/env bash
# Builds the browser page, dist/agvsim.html, with Debian's emscripten.
# Usage: tools/web.sh build   the page (build-web/ is kept for the next build)
#        tools/web.sh test    the page's tests in headless Chromium, then Firefox
#        tools/web.sh bench   the page's frame times, runs and pace beside the desktop build's
set -eu
cd "$(dirname "$0")/.."

BUILD=${AGV_WEB_BUILD:-build-web}
JOBS=${JOBS:-2}
# Debian's emcc runs with Debian's interpreter and node, which sees Debian's node modules.
export EMSDK_PYTHON=/usr/bin/python3
export NODE_PATH=/usr/share/nodejs

node_modules() {
  local stamp=web/node_modules/.package-lock.json
  if [ ! -f "$stamp" ] || [ web/package-lock.json -nt "$stamp" ]; then
    (cd web && npm ci --no-audit --no-fund --loglevel=error)
  fi
}

build() {
  node_modules
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    emcmake cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release ${AGV_WEB_CMAKE_ARGS:-} >/dev/null
  fi
  cmake --build "$BUILD" -j "$JOBS" --target agvsim
  mkdir -p dist
  cp "$BUILD/agvsim.html" dist/agvsim.html
}

native() {
  [ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$JOBS" --target "$@"
}

case "${1:-build}" in
  build) build ;;
  test)
    build
    native agvsim agvsim-export agvsim-sweep
    node web/test/run.js dist/agvsim.html build
    AGV_BROWSER=firefox xvfb-run -a -s '-screen 0 1920x1080x24' node web/test/run.js dist/agvsim.html build
    ;;
  bench)
    build
    cmake --build "$BUILD" -j "$JOBS" --target agvsim-bench
    native bench_frame bench_simulation agvsim-sweep
    node bench/web_bench.js "$BUILD/agvsim-bench.html" dist/agvsim.html build
    ;;
  *) echo "usage: $0 build|test|bench" >&2; exit 2 ;;
esac
