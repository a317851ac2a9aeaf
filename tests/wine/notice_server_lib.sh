# Starting and stopping the loopback stand-in for the publisher's server.
# Sourced by the notice's Wine test scripts; needs QR_TEST_TMP.

notice_server_pid=""

# notice_server_start [notice_server.py options...]: sets NOTICE_SERVER.
notice_server_start() {
  local port_file="$QR_TEST_TMP/server-port.$$.$RANDOM"
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/notice_server.py" --port-file "$port_file" "$@" &
  notice_server_pid=$!
  for _ in $(seq 100); do
    [ -s "$port_file" ] && break
    sleep 0.1
  done
  [ -s "$port_file" ] || { echo "test server did not start" >&2; return 1; }
  NOTICE_SERVER="http://127.0.0.1:$(cat "$port_file")"
}

notice_server_stop() {
  if [ -n "$notice_server_pid" ]; then
    kill "$notice_server_pid" 2>/dev/null || true
    wait "$notice_server_pid" 2>/dev/null || true
    notice_server_pid=""
  fi
}

# A port on 127.0.0.1 with nothing listening (taken, then given back).
notice_closed_port() {
  /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
