#!/usr/bin/env bash
# Unpacks Debian's libpng1.6 source package into the directory given (the
# Windows build compiles it with mingw-w64). Tries the candidate version
# first, then every version the source lists know, newest first, because a
# mirror may not carry the newest one yet.
set -euo pipefail
dest=${1:?usage: fetch-libpng-source.sh DEST_DIR}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "$(apt-cache showsrc libpng1.6 2>/dev/null)" ]; then
  bash "$here/enable-deb-src.sh"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fetched=""
for version in "" $(apt-cache showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -rV -u); do
  if apt-get source -q libpng1.6${version:+=$version} >fetch.log 2>&1; then
    fetched=yes
    break
  fi
  find . -mindepth 1 -maxdepth 1 ! -name fetch.log -exec rm -rf {} +
done
if [ -z "$fetched" ]; then
  cat fetch.log >&2
  echo "fetch-libpng-source: apt-get source libpng1.6 failed" >&2
  exit 1
fi
tree=$(find . -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' | head -1)
rm -rf "$dest"
mkdir -p "$(dirname "$dest")"
mv "$tree" "$dest"
echo "libpng source: $(sed -n '1s/^[^(]*(\([^)]*\)).*/\1/p' "$dest/debian/changelog")"
