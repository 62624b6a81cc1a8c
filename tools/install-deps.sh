#!/usr/bin/env bash
# Installs the Debian packages that `make run` or `make test` needs and are missing.
# Usage: tools/install-deps.sh run|test|package|windows|test-windows|web|test-web
set -eu

run_packages="g++ cmake make freeglut3-dev libgl1-mesa-dev libglu1-mesa-dev libx11-dev libgl1-mesa-dri"
package_packages="$run_packages dpkg-dev"
test_packages="$package_packages googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-apps x11-utils xauth python3 python3-matplotlib ffmpeg desktop-file-utils groff-base"
# dpkg-dev unpacks the freeglut source package; the tests cross-build googletest's sources.
windows_packages="g++-mingw-w64-x86-64-posix cmake make dpkg-dev"
test_windows_packages="$windows_packages $test_packages wine wine64"
# make web: Debian's emscripten, and npm for xterm.js; the font makes the terminal's
# Japanese render the same everywhere the tests run.
web_packages="emscripten npm python3 dpkg-dev"
test_web_packages="$web_packages $run_packages xvfb xdotool x11-apps x11-utils xauth chromium firefox-esr fonts-ipafont-gothic"

case "${1:-run}" in
  run) wanted=$run_packages ;;
  test) wanted=$test_packages ;;
  package) wanted=$package_packages ;;
  windows) wanted=$windows_packages ;;
  test-windows) wanted=$test_windows_packages ;;
  web) wanted=$web_packages ;;
  test-web) wanted=$test_web_packages ;;
  *) echo "usage: $0 run|test|package|windows|test-windows|web|test-web" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
  if [ "$package" = python3 ] && command -v python3 >/dev/null 2>&1; then continue; fi
  # NodeSource's nodejs carries its own npm, which Debian's npm package conflicts with.
  if [ "$package" = npm ] && command -v npm >/dev/null 2>&1; then continue; fi
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $package" ;;
  esac
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages:$missing" >&2
  echo "Install them as root with:" >&2
  echo "  apt-get update && apt-get install -y$missing" >&2
  exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq $missing
