#!/usr/bin/env bash
# Makes `apt-get source` work: a fresh Debian lists binary packages only, so
# this adds source entries mirroring the binary ones, then updates the lists.
set -eu

if grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "No deb-src entry: add one mirroring /etc/apt/sources.list.d/debian.sources as root." >&2
  exit 1
fi
target=/etc/apt/sources.list.d/agvsim-deb-src.sources
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$target"
else
  grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
    >/etc/apt/sources.list.d/agvsim-deb-src.list
fi
DEBIAN_FRONTEND=noninteractive apt-get update -qq
