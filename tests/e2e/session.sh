# Sourced by the walks: a private runtime folder, session bus and accessibility bus for the
# program and walk.py, so that controls can be found by name. stop_session ends them again.
start_session() {
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  chmod 700 "$XDG_RUNTIME_DIR"
  eval "$(dbus-launch --sh-syntax)"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  session_a11y_bus=$!
}

stop_session() {
  kill "${session_a11y_bus:-}" "${DBUS_SESSION_BUS_PID:-}" 2>/dev/null || true
  rm -rf "$XDG_RUNTIME_DIR"
}

# The walk itself; run it with Debian's own Python, which has the accessibility client
# whatever else is first on PATH.
walk_py=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/walk.py
