#!/usr/bin/env bash
# qrbatch's usage text is the one reference of its command line:
#  - every option --help lists is taken by the parser, and every option the
#    parser takes (the option literals in app/qrbatch) is in --help;
#  - docs/qrbatch.md holds the --help text verbatim between its markers;
#  - the Chinese guide (packaging/使用说明.txt) names every option.
#
#   usage_text_check.sh QRBATCH SOURCE_DIR             the checks above
#   usage_text_check.sh --update QRBATCH SOURCE_DIR    rewrite the manual's block
set -euo pipefail

mode=check
case ${1:-} in
  --update) mode=update; shift ;;
esac
qrbatch=$(realpath "$1")
source_dir=$(realpath "$2")
manual=$source_dir/docs/qrbatch.md
guide=$source_dir/packaging/使用说明.txt
begin='<!-- qrbatch --help: begin -->'
end='<!-- qrbatch --help: end -->'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"  # nothing should be written, but never beside the sources

"$qrbatch" --help >help.txt

if [ "$mode" = update ]; then
  {
    sed -n "1,/^$begin\$/p" "$manual"
    echo '```text'
    cat help.txt
    echo '```'
    sed -n "/^$end\$/,\$p" "$manual"
  } >manual.md
  cp manual.md "$manual"
  echo "updated $manual"
  exit 0
fi

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# True when qrbatch takes OPTION (alone it fails for want of a value or of
# -o DIR, but not as an unknown option).
parses() {
  local err
  err=$("$qrbatch" "$1" </dev/null 2>&1 >/dev/null) || true
  [[ $err != *"unknown option"* ]]
}
parses --no-such-option && fail "qrbatch takes --no-such-option: the parse check proves nothing"

# Every option in --help: a long one, or a dash and one letter.
grep -oE -- '(^|[^[:alnum:]-])--?[a-z][a-z0-9-]*' help.txt | sed -E 's/^[^-]*//; s/-+$//' |
  grep -E -- '^(--[a-z][a-z0-9-]+|-[a-z])$' | sort -u >options.txt
[ "$(wc -l <options.txt)" -ge 20 ] || fail "only $(wc -l <options.txt) options found in --help"

mentions() {  # FILE OPTION: the option as a word of its own
  grep -qE -- "(^|[^[:alnum:]-])$2([^[:alnum:]-]|\$)" "$1"
}

while read -r option; do
  parses "$option" || fail "--help lists $option, qrbatch does not take it"
  mentions "$guide" "$option" || fail "使用说明.txt does not mention $option"
done <options.txt

# Every option literal of the parser's sources that qrbatch takes is in --help.
find "$source_dir/app/qrbatch" -name '*.cpp' ! -name 'usage_text.cpp' -o -name '*.h' |
  xargs grep -ohE -- '"--?[a-z][a-z0-9-]*"' | tr -d '"' | sort -u >literals.txt
while read -r literal; do
  if parses "$literal" && ! grep -qxF -- "$literal" options.txt; then
    fail "qrbatch takes $literal, --help does not list it"
  fi
done <literals.txt

# The manual's block is the --help text.
sed -n "/^$begin\$/,/^$end\$/p" "$manual" | sed '1,2d;$d' | sed '$d' >manual_block.txt
if ! diff -u help.txt manual_block.txt >manual.diff; then
  fail "docs/qrbatch.md's option block differs from --help (refresh it with: $0 --update $qrbatch $source_dir)"
  cat manual.diff
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "$(wc -l <options.txt) options: parsed, in docs/qrbatch.md and 使用说明.txt"
