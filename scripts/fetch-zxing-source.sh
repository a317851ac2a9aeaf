#!/usr/bin/env bash
# Unpacks Debian's zxing-cpp source package into the directory given (the
# Windows build compiles its readers with mingw-w64, so qrbatch.exe can
# read its images back). Tries the candidate version first, then every
# version the source lists know, newest first, because a mirror may not
# carry the newest one yet.
set -euo pipefail
dest=${1:?usage: fetch-zxing-source.sh DEST_DIR}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "$(apt-cache showsrc zxing-cpp 2>/dev/null)" ]; then
  bash "$here/enable-deb-src.sh"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fetched=""
for version in "" $(apt-cache showsrc zxing-cpp | sed -n 's/^Version: //p' | sort -rV -u); do
  if apt-get source -q zxing-cpp${version:+=$version} >fetch.log 2>&1; then
    fetched=yes
    break
  fi
  find . -mindepth 1 -maxdepth 1 ! -name fetch.log -exec rm -rf {} +
done
if [ -z "$fetched" ]; then
  cat fetch.log >&2
  echo "fetch-zxing-source: apt-get source zxing-cpp failed" >&2
  exit 1
fi
tree=$(find . -mindepth 1 -maxdepth 1 -type d -name 'zxing-cpp-*' | head -1)
rm -rf "$dest"
mkdir -p "$(dirname "$dest")"
mv "$tree" "$dest"
echo "zxing-cpp source: $(sed -n '1s/^[^(]*(\([^)]*\)).*/\1/p' "$dest/debian/changelog")"
