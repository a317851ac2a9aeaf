# Sourced by the release tests: counting checks and reading symbols back.
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
# A Linux path as Wine sees it on drive Z:.
winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }
# The text a bitmap file's symbol decodes to (a white border for the
# decoder's quiet zone).
decoded() {
  convert "$1" -bordercolor white -border 40 png:- | zbarimg --raw -q - 2>/dev/null
}
# Unpacks a zip's single top folder into the given folder. Python honours
# the zip's UTF-8 name flag, as Windows does.
unpack_zip() {  # unpack_zip ZIP FOLDER
  mkdir -p "$2"
  /usr/bin/python3 - "$1" "$2" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    tops = {name.split("/")[0] for name in archive.namelist()}
    assert len(tops) == 1, "not one top folder: %s" % sorted(tops)
    for member in archive.infolist():
        member.filename = member.filename.split("/", 1)[1]
        if member.filename:
            archive.extract(member, sys.argv[2])
PY
}
finish() {
  echo "$failures failure(s)"
  [ "$failures" -eq 0 ]
}
