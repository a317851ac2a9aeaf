#!/usr/bin/env bash
# The Linux tarball as a C developer uses it: unpacked anywhere, a C99
# program built against it through pkg-config, run, and its bitmap read back;
# the tarball's qrbatch runs from where it lies.
#   sdk_linux.sh <tarball> <C source> <version> <work folder>
set -u
tarball=$1 source=$2 version=$3 work=$4
source "$(dirname "$0")/release_checks.sh"
rm -rf "$work"
mkdir -p "$work"
tar -xzf "$tarball" -C "$work" || exit 1
root=$(echo "$work"/*/)
root=${root%/}

check "header installed" [ -f "$root/include/QRCodeWin32.h" ]
check "library installed" [ -f "$root/lib/libQRCodeWin32.so" ]
export PKG_CONFIG_PATH=$root/lib/pkgconfig
check "pkg-config version $version" [ "$(pkg-config --modversion QRCodeWin32)" = "$version" ]
check "pkg-config points into the unpacked tree" \
  [ "$(pkg-config --variable=libdir QRCodeWin32)" -ef "$root/lib" ]

# shellcheck disable=SC2046  # pkg-config's output is a list of words
check "C99 program builds" gcc -std=c99 -pedantic -Wall -Wextra -Werror \
  $(pkg-config --cflags QRCodeWin32) "$source" -o "$work/sdk_client" $(pkg-config --libs QRCodeWin32)
check "C99 program runs" env LD_LIBRARY_PATH="$(pkg-config --variable=libdir QRCodeWin32)" \
  "$work/sdk_client" "$work/sdk.bmp" "SDK from C, Linux"
check "its bitmap decodes" [ "$(decoded "$work/sdk.bmp")" = "SDK from C, Linux" ]

check "qrbatch reports version $version" [ "$("$root/bin/qrbatch" --version)" = "qrbatch $version" ]
printf 'release\n' | "$root/bin/qrbatch" -o "$work/out" >/dev/null
check "qrbatch writes a decodable file" [ "$(decoded "$work/out/release.jpg")" = release ]
finish
