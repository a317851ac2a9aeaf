#!/usr/bin/env bash
# Adds deb-src entries mirroring the machine's Debian deb entries, so that
# `apt-get source` works (the Windows build compiles libpng from Debian's own
# source package). Idempotent; needs root only when it has something to add.
set -euo pipefail
list=/etc/apt/sources.list.d/qrbatch-deb-src.sources
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ || grep -qs '^deb-src ' /etc/apt/sources.list; then
  exit 0
fi
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed -e 's/^Types: *deb *$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $sudo tee "$list" >/dev/null
elif [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/qrbatch-deb-src.list >/dev/null
else
  echo "enable-deb-src: no Debian sources list found" >&2
  exit 1
fi
$sudo apt-get update -q
