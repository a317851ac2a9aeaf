# Sourced by the Wine test scripts: the environment every Wine run shares.
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
# The program's online notice goes to a closed loopback port unless a test
# starts its own stand-in server: tests never reach the publisher's hosts.
export QRBATCH_NOTICE_SERVER=${QRBATCH_NOTICE_SERVER:-http://127.0.0.1:9}
