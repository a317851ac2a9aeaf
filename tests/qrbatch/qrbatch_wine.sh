#!/usr/bin/env bash
# qrbatch.exe under Wine: GBK lines become files named after them in the
# destination folder, refused lines are reported, and the images decode.
# Needs the harness environment (WINEPREFIX, QR_WINDOWS_DIR, QR_TEST_TMP;
# an ANSI code page of 936).
set -u
exe="$QR_WINDOWS_DIR/app/qrbatch/qrbatch.exe"
d="$QR_TEST_TMP"
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
windows_path() { echo "Z:${1//\//\\}"; }

mkdir -p "$d/out/sub"
# CR LF line ends and GBK bytes, as the Windows program's input box holds them.
printf '测试数据\r\n20210706001\r\nsub\\y\r\n..\\escape\r\nCON\r\na:b\r\n\r\n' |
  iconv -f UTF-8 -t GBK > "$d/lines.txt"
# What a killed run left (no process has this id), and a look-alike.
printf partial > "$d/out/.qr-4294967292-1.tmp"
printf partial > "$d/out/.qr-4294967292-01.tmp"

timeout 60 wine "$exe" -o "$(windows_path "$d/out")" --size 240x200 -l M \
  "$(windows_path "$d/lines.txt")" > "$d/stdout" 2> "$d/stderr"
status=$?
cat "$d/stderr"

check "exit status 1 when lines fail" [ "$status" -eq 1 ]
check "GBK line names its file" [ -f "$d/out/测试数据.jpg" ]
check "numeric line" [ -f "$d/out/20210706001.jpg" ]
check "backslash leads into the sub-folder" [ -f "$d/out/sub/y.jpg" ]
check "empty line gives .jpg" [ -f "$d/out/.jpg" ]
check "nothing escapes the folder" [ ! -e "$d/escape.jpg" ]
check "device name writes nothing" [ -z "$(ls "$d/out" | grep -i '^con')" ]
check "alternate stream writes nothing" [ ! -e "$d/out/a" ]
check "escape reported" grep -q 'line 4: name leads outside the destination folder' "$d/stderr"
check "device name reported" grep -q 'line 5: not a valid file name: CON' "$d/stderr"
check "stream reported" grep -q 'line 6: not a valid file name: a:b' "$d/stderr"
check "count reported" grep -q '3 of 7 lines produced no file' "$d/stderr"
check "an ended process's temporary removed" [ ! -e "$d/out/.qr-4294967292-1.tmp" ]
check "a look-alike name kept" [ -f "$d/out/.qr-4294967292-01.tmp" ]

header=$(od -A n -t u4 -j 18 -N 8 "$d/out/20210706001.jpg" | tr -s ' ')
check "bitmap file" [ "$(head -c 2 "$d/out/20210706001.jpg")" = BM ]
check "size 240 x 200 (got$header)" [ "$header" = " 240 200" ]
decoded=$(convert "$d/out/20210706001.jpg" -bordercolor white -border 40 png:- | zbarimg --raw -q -)
check "decodes to its line (got $decoded)" [ "$decoded" = 20210706001 ]

# Real formats, TAB names, the fit check and two workers.
printf 'name\thttps://example.com/p?id=42\r\n%s\r\n' abcdefghijabcdefghijabcdefghij01234 > "$d/more.txt"
timeout 60 wine "$exe" -o "$(windows_path "$d/png")" --format png -j 2 \
  "$(windows_path "$d/more.txt")" > "$d/stdout" 2> "$d/stderr2"
status=$?
cat "$d/stderr2"
check "exit status 1 for the symbol too large" [ "$status" -eq 1 ]
check "fit reported" grep -q 'line 2: symbol needs 232x232 px, image is 200x200; use --size 232 or larger, or --module auto' "$d/stderr2"
check "nothing written for it" [ "$(ls "$d/png")" = name.png ]
decoded=$(convert "$d/png/name.png" -bordercolor white -border 40 png:- | zbarimg --raw -q -)
check "TAB line's content in its named PNG (got $decoded)" [ "$decoded" = "https://example.com/p?id=42" ]
timeout 60 wine "$exe" -o "$(windows_path "$d/svg")" "$(windows_path "$d/missing.txt")" 2> "$d/stderr3"
status=$?
check "missing input: status 2" [ "$status" -eq 2 ]
check "missing input says why" grep -q 'cannot open .*missing.txt: No such file or directory' "$d/stderr3"

# A write the system refuses gives its reason in the console's code page,
# without the system's final period.
printf 'missing\\x\r\n' > "$d/unwritable.txt"
timeout 60 wine "$exe" -o "$(windows_path "$d/unwritable")" "$(windows_path "$d/unwritable.txt")" 2> "$d/stderr4"
status=$?
cat "$d/stderr4"
check "failed write: status 1" [ "$status" -eq 1 ]
check "failed write says the system's reason" env LC_ALL=C grep -Eq 'line 1: could not be written \(.*[^.]\): missing\\\\x' "$d/stderr4"

# Case pairs Windows takes for one name (GBK small and capital roman
# numeral one, full-width a and A): the second of each writes nothing.
printf 'ⅰ\tfirst\r\nⅠ\tsecond\r\nａ\tthird\r\nＡ\tfourth\r\n' | iconv -f UTF-8 -t GBK > "$d/cases.txt"
timeout 60 wine "$exe" -o "$(windows_path "$d/cases")" --format png \
  "$(windows_path "$d/cases.txt")" > "$d/stdout" 2> "$d/stderr5"
status=$?
cat "$d/stderr5"
check "case pairs: status 1" [ "$status" -eq 1 ]
check "case pairs reported" grep -q '2 of 4 lines produced no file' "$d/stderr5"
check "case pairs: two files" [ "$(ls "$d/cases" | wc -l)" -eq 2 ]
decoded=$(convert "$d/cases/ⅰ.png" -bordercolor white -border 40 png:- | zbarimg --raw -q -)
check "the first line keeps its file (got $decoded)" [ "$decoded" = first ]

[ "$failures" -eq 0 ]
