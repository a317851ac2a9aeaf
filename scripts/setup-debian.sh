#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (idempotent).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

mapfile -t packages < <(grep -v '^#' "$here/.ci/packages" | grep -v '^$')
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo dpkg --add-architecture i386
  $sudo apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# The Windows build compiles libpng from Debian's source package.
bash "$here/scripts/enable-deb-src.sh"
# Wine tests run under a Chinese locale (ANSI code page 936).
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
