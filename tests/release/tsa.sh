# Starts and stops the test timestamp server (tsa_server.py) of a run; sourced by the scripts
# beside it.
#   start_tsa KEYS_DIR WORK_DIR   sets TSA_URL (http://127.0.0.1:PORT/) and TSA_PID
#   stop_tsa
TSA_URL= TSA_PID=
start_tsa() {
  local keys=$1 work=$2 here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  rm -f "$work/tsa.ready"
  python3 "$here/tsa_server.py" --cert "$keys/tsa.pem" --key "$keys/tsa.key" --chain "$keys/ca.pem" \
    --ready "$work/tsa.ready" >"$work/tsa.log" 2>&1 </dev/null &
  TSA_PID=$!
  local _
  for _ in $(seq 1 300); do
    [ -f "$work/tsa.ready" ] && break
    kill -0 "$TSA_PID" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -f "$work/tsa.ready" ]; then
    echo "the test timestamp server did not start:"; cat "$work/tsa.log"
    stop_tsa
    return 1
  fi
  TSA_URL=$(cat "$work/tsa.ready")
}
stop_tsa() {
  if [ -n "$TSA_PID" ]; then
    kill "$TSA_PID" 2>/dev/null
    wait "$TSA_PID" 2>/dev/null
  fi
  TSA_PID=
}
