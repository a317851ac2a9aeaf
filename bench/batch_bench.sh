#!/usr/bin/env bash
# The command-line batch against its file-system floors and zint, LINES
# lines (20210706001 onwards) each, 200 x 200 images of 8-pixel modules:
#   floor_plain  batch_floor plain: qrbatch's bytes for the first line under
#                every line's name, open, one write, close, nothing else;
#   floor_whole  batch_floor whole: the same with qrbatch's guarantee that a
#                file appears whole or not at all (open a temporary file,
#                write, close, rename: the calls qrbatch makes);
#   qrbatch      qrbatch -j 1 -o DIR FILE (one worker);
#   zint_recipe  zint --batch with our recipe: mask 4 (--mask=4), level L
#                (--secure=1), 8-pixel modules (--scale=4), no quiet zone,
#                2 modules of white space around: the same 200 x 200 1-bit
#                bitmap of 5,662 bytes for a version-1 line;
#   zint_users   zint --batch as users call it: automatic mask, its default
#                level, --scale=4;
#   wine         qrbatch.exe under Wine, with QR_BENCH_WINE=1 when wine and
#                the .exe are there (QRBATCH_EXE, default BUILD_DIR/windows/
#                app/qrbatch/qrbatch.exe). Slow: Wine looks for every new
#                name case-blind through the whole folder, so its time per
#                line grows with the folder (about 1 ms at 2,000 files,
#                5 ms at 10,000).
# Rounds run every program once, in a rotating order, each into a fresh
# empty folder; each round gives its own ratios (paired runs, interleaved),
# and the medians of those ratios count, with their range. qrbatch is held
# against the floor of its own guarantee, floor_whole; floor_plain is shown
# too.
# Places: /dev/shm (no disk at all) and a fresh ext4 with a journal on a
# loop device under /tmp (needs root; made, mounted, unmounted and deleted
# by this script). Other parents may be given instead.
# Lines: QR_BENCH_KIND picks them: digits (the default above; version 1),
# gbk (GBK product names with a number, 19 bytes: version 2) or text200
# (200-byte texts: version 9, in 424 x 424 images so the symbol fits).
# Only the digits run zint, whose recipe is fixed to 200 x 200.
# Usage: bench/batch_bench.sh [BUILD_DIR] [LINES] [ROUNDS] [PARENT...]
#   defaults: BUILD_DIR build, 10000 lines, 7 rounds, /dev/shm and the loop
#   device.
# Goals, qrbatch against floor_whole: 11-digit lines 1.15 x, GBK lines
# 1.3 x, 200-byte lines 1.5 x.
#
# All output folders of a place stay until its last round. On ext4 without
# a journal (this machine's root file system), a file created within
# minutes of many deletions makes the kernel step over every recently
# freed inode; timing there would measure the file system's state, which
# is why no place of the defaults is on it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/bench/paired_rounds.sh"
build=$(cd "${1:-$here/build}" && pwd)
count=${2:-10000}
rounds=${3:-7}
shift $(($# < 3 ? $# : 3))
qrbatch=$build/app/qrbatch/qrbatch
floor=$build/bench/batch_floor
for program in "$qrbatch" "$floor"; do
  [ -x "$program" ] || { echo "missing $program: cmake --build $build --target qrbatch batch_floor" >&2; exit 2; }
done
command -v zint >/dev/null || { echo "zint is not installed" >&2; exit 2; }
qrbatch_options=(-j 1)

exe=${QRBATCH_EXE:-$build/windows/app/qrbatch/qrbatch.exe}
use_wine=0
if [ "${QR_BENCH_WINE:-0}" = 1 ] && command -v wine >/dev/null && [ -f "$exe" ]; then use_wine=1; fi

work=$(mktemp -d /tmp/batch_bench.XXXXXX)
loop_image="" loop_mount=""
cleanup() {
  if [ "$use_wine" = 1 ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "$loop_mount" ]; then
    umount "$loop_mount" 2>/dev/null || true
    rmdir "$loop_mount" 2>/dev/null || true
  fi
  if [ -n "$loop_image" ]; then rm -f "$loop_image"; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
kind=${QR_BENCH_KIND:-digits}
goal="1.15"  # qrbatch against floor_whole, per kind of line
case $kind in
  digits) seq 20210706001 $((20210706001 + count - 1)) > "$work/lines.txt" ;;
  gbk)  # 产品编号 in GBK, then an 11-digit number
    seq 20210706001 $((20210706001 + count - 1)) | sed 's/^/\xb2\xfa\xc6\xb7\xb1\xe0\xba\xc5/' > "$work/lines.txt"
    goal="1.3" ;;
  text200)
    seq 20210706001 $((20210706001 + count - 1)) \
      | awk '{ s = $0; while (length(s) < 200) s = s "-product-text"; print substr(s, 1, 200) }' > "$work/lines.txt"
    qrbatch_options+=(--size 424)
    goal="1.5" ;;
  *) echo "QR_BENCH_KIND is digits, gbk or text200" >&2; exit 2 ;;
esac

programs=(floor_plain floor_whole qrbatch)
if [ "$kind" = digits ]; then programs+=(zint_recipe zint_users); fi
if [ "$use_wine" = 1 ]; then programs+=(wine); fi

# A fresh ext4 with its journal (mkfs.ext4's default) on a loop device,
# with room and inodes for every run's files (two 4 KiB blocks each).
# Says why on standard error when it cannot.
mount_loop() {
  if [ "$(id -u)" != 0 ]; then echo "not root" >&2; return 1; fi
  loop_image=$(mktemp /tmp/batch_bench_ext4.XXXXXX)
  loop_mount=$(mktemp -d /tmp/batch_bench_mnt.XXXXXX)
  local files=$((rounds * ${#programs[@]} * (count + 1) + 1000))
  truncate -s $((files * 12 / 1024 + 256))M "$loop_image"
  mkfs.ext4 -q -F -N "$files" "$loop_image" || return 1
  mount -o loop "$loop_image" "$loop_mount" || { rmdir "$loop_mount"; loop_mount=""; return 1; }
}

places=("$@")
if [ ${#places[@]} = 0 ]; then
  places=(/dev/shm)
  if mount_loop 2>"$work/loop_error"; then
    places+=("$loop_mount")
  else
    echo "note: no ext4 on a loop device ($(tr '\n' ' ' < "$work/loop_error")); /dev/shm only" >&2
  fi
fi

if [ "$use_wine" = 1 ]; then
  # A prefix of our own, made once (not timed) and kept for later runs; a
  # Chinese locale gives the ANSI code page 936 the program expects.
  export WINEARCH=win32 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
  export WINEPREFIX=${QR_BENCH_WINEPREFIX:-/tmp/qr_batch_bench_wine.$(id -u)}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then wineboot -i >/dev/null 2>&1; fi
  wineserver -p  # stays up between the runs, as on a machine in use
  windows_path() { echo "Z:${1//\//\\}"; }
  wine "$exe" --version >/dev/null 2>&1  # warm the prefix
fi

run_floor_plain() { "$floor" plain "$work/lines.txt" "$work/template.jpg" "$1"; }
run_floor_whole() { "$floor" whole "$work/lines.txt" "$work/template.jpg" "$1"; }
run_qrbatch() { "$qrbatch" "${qrbatch_options[@]}" -o "$1" "$work/lines.txt"; }
run_zint_recipe() {
  (cd "$1" && zint -b QRCODE --batch --mirror --filetype=bmp --mask=4 --secure=1 --scale=4 \
    --noquietzones --whitesp=2 --vwhitesp=2 -i "$work/lines.txt")
}
run_zint_users() { (cd "$1" && zint -b QRCODE --batch --mirror --filetype=bmp --scale=4 -i "$work/lines.txt"); }
run_wine() { wine "$exe" "${qrbatch_options[@]}" -o "$(windows_path "$1")" "$(windows_path "$work/lines.txt")"; }

# True when two 1-bit bitmap files show the same picture (zint's colour
# table lists white first, ours black).
same_picture() {
  /usr/bin/python3 - "$1" "$2" <<'PYTHON'
import sys
def picture(path):
    b = open(path, 'rb').read()
    width, height = int.from_bytes(b[18:22], 'little'), int.from_bytes(b[22:26], 'little')
    offset, stride = int.from_bytes(b[10:14], 'little'), (width + 31) // 32 * 4
    dark = 0 if b[54:57] == b'\0\0\0' else 1
    return [[(b[offset + y * stride + x // 8] >> (7 - x % 8) & 1) == dark for x in range(width)]
            for y in range(height)]
sys.exit(picture(sys.argv[1]) != picture(sys.argv[2]))
PYTHON
}

# The floors write exactly what qrbatch writes for the first line.
first=$(head -1 "$work/lines.txt")
mkdir "$work/one"
echo "$first" | "$qrbatch" "${qrbatch_options[@]}" -o "$work/one"
cp "$work/one/$first.jpg" "$work/template.jpg"

echo "lines: $count ($kind), image: $(stat -c %s "$work/template.jpg") bytes, $rounds rounds; qrbatch ${qrbatch_options[*]}"
for place in "${places[@]}"; do
  out=$(mktemp -d "$place/batch_bench.XXXXXX")
  results=$work/results.$(basename "$out")
  : > "$results"
  echo "== $place ($(df -T "$place" | awk 'NR == 2 { print $2 }'))"
  run_rounds "$results" "$out" "$rounds" "${programs[@]}"
  if [ "$kind" = digits ] && ! same_picture "$work/template.jpg" "$out/zint_recipe.0/$first.bmp"; then
    echo "note: zint's recipe image of the first line differs from qrbatch's picture" >&2
  fi
  if [ "$use_wine" = 1 ] && ! cmp -s "$work/template.jpg" "$out/wine.0/$first.jpg"; then
    echo "note: qrbatch.exe wrote different bytes for the first line" >&2
  fi
  summarize "$results" floor_plain floor_whole qrbatch zint_recipe zint_users wine \
    "qrbatch / floor_whole:|qrbatch|floor_whole|  goal <= $goal" \
    "qrbatch / floor_plain:|qrbatch|floor_plain|" \
    "floor_whole / floor_plain:|floor_whole|floor_plain|" \
    "zint_recipe / qrbatch:|zint_recipe|qrbatch|" \
    "zint_users / qrbatch:|zint_users|qrbatch|" \
    "wine / floor_whole:|wine|floor_whole|"
  rm -rf "$out"
done
