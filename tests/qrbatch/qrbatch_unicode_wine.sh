#!/usr/bin/env bash
# qrbatch.exe with Unicode names under two code pages: 936 (the harness's
# Chinese locale) and 1252 (an English locale made here with localedef).
# A Chinese input file and destination folder, a Korean line refused under
# GBK and written under UTF-8, and messages readable in a pipe (UTF-8).
# Needs the harness environment (WINEPREFIX, QR_WINDOWS_DIR, QR_TEST_TMP).
set -u
exe="$QR_WINDOWS_DIR/app/qrbatch/qrbatch.exe"
acp="$QR_WINDOWS_DIR/tests/windows/gbk_table_dump.exe"  # "acp": prints GetACP()
d="$QR_TEST_TMP"
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
windows_path() { echo "Z:${1//\//\\}"; }
zxing_text() { ZXingReader "$1" 2>/dev/null | sed -n 's/^Text: *"\(.*\)"$/\1/p'; }
command -v ZXingReader > /dev/null || { echo "no ZXingReader"; exit 77; }
command -v localedef > /dev/null || { echo "no localedef"; exit 77; }

# An English locale of our own (LOCPATH), whatever the machine has.
mkdir -p "$d/locales"
localedef -i en_US -f UTF-8 "$d/locales/en_US.UTF-8" 2> /dev/null ||
  { echo "cannot make en_US.UTF-8"; exit 77; }

in_locale() {  # in_locale LOCALE COMMAND...: the harness's zh_CN, or one made here
  if [ "$1" = zh_CN.UTF-8 ]; then LC_ALL=$1 "${@:2}"; else LOCPATH="$d/locales" LC_ALL=$1 "${@:2}"; fi
}

run_under() {  # run_under LOCALE ANSI_CODE_PAGE
  local locale=$1 page=$2 w="$d/$1"
  echo "--- $locale"
  mkdir -p "$w/输入"
  # Notepad's UTF-8 with its mark; the names are Chinese, Korean and Latin.
  printf '\xEF\xBB\xBF苹果手机\t苹果手机 iPhone 15\r\n한국어\t한국어 상품\r\ncafé\tCafé Olé\r\n' \
    > "$w/输入/list.txt"
  local shown
  shown=$(in_locale "$locale" timeout 60 wine "$acp" acp | tr -d '\r')
  check "$locale: ANSI code page $page (got $shown)" [ "$shown" = "$page" ]

  in_locale "$locale" timeout 60 wine "$exe" -o "$(windows_path "$w/输出/gbk")" \
    --format png --encoding gbk --eci "$(windows_path "$w/输入/list.txt")" \
    > "$w/stdout" 2> "$w/stderr-gbk"
  local status=$?
  cat "$w/stderr-gbk"
  check "$locale gbk: status 1" [ "$status" -eq 1 ]
  check "$locale gbk: Chinese name in a Chinese folder" [ -f "$w/输出/gbk/苹果手机.png" ]
  check "$locale gbk: accented name" [ -f "$w/输出/gbk/café.png" ]
  check "$locale gbk: Korean line refused, nothing written" [ ! -e "$w/输出/gbk/한국어.png" ]
  check "$locale gbk: refusal reported readably" \
    grep -qF 'qrbatch: line 2: holds a character GBK cannot express: 한국어\x09한국어 상품' "$w/stderr-gbk"
  check "$locale gbk+eci reads back (got $(zxing_text "$w/输出/gbk/苹果手机.png"))" \
    [ "$(zxing_text "$w/输出/gbk/苹果手机.png")" = "苹果手机 iPhone 15" ]

  in_locale "$locale" timeout 60 wine "$exe" -o "$(windows_path "$w/输出/utf8")" \
    --format png "$(windows_path "$w/输入/list.txt")" > "$w/stdout" 2> "$w/stderr-utf8"
  status=$?
  cat "$w/stderr-utf8"
  check "$locale utf-8: status 0" [ "$status" -eq 0 ]
  check "$locale utf-8: Korean name" [ -f "$w/输出/utf8/한국어.png" ]
  check "$locale utf-8: Korean reads back (got $(zxing_text "$w/输出/utf8/한국어.png"))" \
    [ "$(zxing_text "$w/输出/utf8/한국어.png")" = "한국어 상품" ]
  check "$locale utf-8: accented text reads back" \
    [ "$(zxing_text "$w/输出/utf8/café.png")" = "Café Olé" ]

  # A missing input named in Chinese: the message names it readably.
  in_locale "$locale" timeout 60 wine "$exe" -o "$(windows_path "$w/输出/x")" \
    "$(windows_path "$w/输入/无.txt")" > "$w/stdout" 2> "$w/stderr-missing"
  status=$?
  check "$locale: missing input, status 2" [ "$status" -eq 2 ]
  check "$locale: its name shown" grep -q 'cannot open .*输入\\无.txt' "$w/stderr-missing"
}

run_under zh_CN.UTF-8 936
run_under en_US.UTF-8 1252
[ "$failures" -eq 0 ]
