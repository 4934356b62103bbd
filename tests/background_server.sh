# Sourced by the test wrappers: a server started in the background with start_server, stopped and
# its folder removed when the wrapper ends, whatever the test did.
server_folder=$(mktemp -d)
chmod 700 "$server_folder"
server_pid=""
stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$server_folder"
}
trap stop_server EXIT

# wait_for_server CHECK_COMMAND...: polls the check for up to 30 s while the server lives.
wait_for_server() {
  for _ in $(seq 600); do
    "$@" && return 0
    kill -0 "$server_pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}
