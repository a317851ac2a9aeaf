#!/usr/bin/env bash
# Unpacks Debian's source package PACKAGE (version VERSION, e.g. 0.42.2-1)
# into DEST_DIR, for the Windows build to compile with mingw-w64.
# - The package's own patches are applied (apt-get source). When a mirror
#   serves the original tarball but not Debian's diff, the original tarball
#   alone is used (apt checked it against the package's hashes) and that is
#   said.
# - The build files generated upstream (configure, Makefile.in, ...) are
#   made newer than their sources: Debian regenerates them with autotools
#   at package build time, which this build does without.
set -euo pipefail
package=${1:?usage: fetch-deb-source.sh PACKAGE VERSION DEST_DIR}
version=${2:?usage: fetch-deb-source.sh PACKAGE VERSION DEST_DIR}
dest=${3:?usage: fetch-deb-source.sh PACKAGE VERSION DEST_DIR}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "$(apt-cache showsrc "$package" 2>/dev/null)" ]; then
  bash "$here/enable-deb-src.sh"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
upstream=${version%-*}
if apt-get source -q "$package=$version" >fetch.log 2>&1; then
  tree=$(find . -mindepth 1 -maxdepth 1 -type d -name "$package-$upstream" | head -1)
  echo "$package source: Debian $version"
else
  orig=$(ls "${package}_${upstream}".orig.tar.* 2>/dev/null | head -1 || true)
  if [ -z "$orig" ]; then
    cat fetch.log >&2
    echo "fetch-deb-source: apt-get source $package=$version failed" >&2
    exit 1
  fi
  tar xf "$orig"
  tree=$(find . -mindepth 1 -maxdepth 1 -type d -name "$package-$upstream" | head -1)
  echo "$package source: the original tarball of Debian $version (Debian's diff was not served)"
fi
[ -n "$tree" ] || { echo "fetch-deb-source: no $package-$upstream tree" >&2; exit 1; }
# Generated files after their sources, in the order make checks them.
touch "$tree/aclocal.m4"
sleep 1
find "$tree" \( -name configure -o -name Makefile.in -o -name config.h.in \) -exec touch {} +
rm -rf "$dest"
mkdir -p "$(dirname "$dest")"
mv "$tree" "$dest"
