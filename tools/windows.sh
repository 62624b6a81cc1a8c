#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64.
# Usage: tools/windows.sh zip    the zip in dist/
#        tools/windows.sh test   the test suite, run under Wine on a private Xvfb
# freeglut (from Debian's source package) and googletest are built once and kept
# in the build folder, beside the programs' own build.
set -eu
cd "$(dirname "$0")/.."

BUILD=${AGV_WINDOWS_BUILD:-build-windows}
JOBS=${JOBS:-2}
TOOLCHAIN=$PWD/cmake/mingw-w64-x86_64.cmake
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
DEPS=$BUILD/deps

# Runs a dependency's build step with its output in a log, shown only on failure.
logged() {
  local log=$1
  shift
  "$@" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; return 1; }
}

cross_cmake() {
  cmake -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DAGV_WINDOWS_DEPS="$DEPS" "$@"
}

build_freeglut() {
  [ -f "$DEPS/lib/libglut.a" ] && return
  bash tools/deb-src.sh
  rm -rf "$BUILD/freeglut-source" && mkdir -p "$BUILD/freeglut-source"
  (cd "$BUILD/freeglut-source" && apt-get source -qq freeglut)
  local source
  source=$(find "$BUILD/freeglut-source" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*')
  # Static, under GLUT's own header and library name.
  local log=$BUILD/freeglut.log
  : >"$log"
  logged "$log" cross_cmake -S "$source" -B "$BUILD/freeglut" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$DEPS" -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
    -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_REPLACE_GLUT=ON
  logged "$log" cmake --build "$BUILD/freeglut" -j "$JOBS" --target install
}

build_googletest() {
  [ -f "$DEPS/lib/libgtest.a" ] && return
  local log=$BUILD/googletest.log
  : >"$log"
  logged "$log" cross_cmake -S /usr/src/googletest -B "$BUILD/googletest" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$DEPS"
  logged "$log" cmake --build "$BUILD/googletest" -j "$JOBS" --target install
}

# The Linux build beside it is what the end-to-end test compares with.
configure() {
  cross_cmake -S . -B "$BUILD/agvsim" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DAGV_LINUX_BUILD="$PWD/build" >/dev/null
}

build_linux_programs() {
  [ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$JOBS" --target agvsim agvsim-export >/dev/null
}

# A bare Windows has its system DLLs and nothing else.
check_imports() {
  local program dll
  for program in agvsim.exe agvsim-export.exe; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$BUILD/agvsim/$program" | sed -n 's/^\s*DLL Name: //p'); do
      case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | msvcrt.dll | opengl32.dll | winmm.dll) ;;
        *) echo "$program imports $dll, which Windows does not ship" >&2; return 1 ;;
      esac
    done
  done
}

# One private Xvfb and one wineserver for the whole run, each stopped by its own id.
start_wine() {
  export WINEPREFIX=$BUILD/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local display_file=$BUILD/xvfb.display
  # -noreset: a server resetting after its last client refuses the next one.
  Xvfb -displayfd 9 -screen 0 1024x1024x24 -nolisten tcp -noreset 9>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  trap stop_wine EXIT
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  [ -s "$display_file" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$(cat "$display_file")
  export AGV_E2E_DISPLAY=$DISPLAY
  mkdir -p "$WINEPREFIX"
  wineserver -p
  wineboot -i >/dev/null 2>&1
}

stop_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}

case "${1:-}" in
  zip)
    bash tools/install-deps.sh windows
    bash tools/web.sh build
    build_freeglut
    configure
    cmake --build "$BUILD/agvsim" -j "$JOBS" --target windows-zip
    check_imports
    ;;
  test)
    bash tools/install-deps.sh test-windows
    build_freeglut
    build_googletest
    build_linux_programs
    configure
    start_wine
    cmake --build "$BUILD/agvsim" -j "$JOBS"
    (cd "$BUILD/agvsim" && ctest --output-on-failure -j "$JOBS")
    ;;
  *) echo "usage: $0 zip|test" >&2; exit 2 ;;
esac
