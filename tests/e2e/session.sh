# Sourced by the walks: a private runtime folder, session bus and accessibility bus for the
# program and walk.py, so that controls can be found by name. stop_session ends them again.
start_session() {
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  chmod 700 "$XDG_RUNTIME_DIR"
  eval "$(dbus-launch --sh-syntax)"
  # The launcher names its bus on the X server's root window, where an earlier session's bus
  # (perhaps another user's) may still be named: clients read that name, so the old one goes
  # first and the walk starts only once this session's is there.
  xprop -root -remove AT_SPI_BUS 2>/dev/null || true
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  session_a11y_bus=$!
  for _ in $(seq 100); do
    xprop -root AT_SPI_BUS 2>/dev/null | grep -q "$XDG_RUNTIME_DIR" && return 0
    sleep 0.1
  done
  echo "the accessibility bus did not start" >&2
  return 1
}

stop_session() {
  kill "${session_sound_server:-}" "${session_a11y_bus:-}" "${DBUS_SESSION_BUS_PID:-}" 2>/dev/null || true
  [ -n "${session_sound_server:-}" ] && wait "$session_sound_server" 2>/dev/null || true
  rm -rf "$XDG_RUNTIME_DIR"
}

# A sound server of the session's own whose sink plays into nothing, so that the program can
# speak (and shows its speaker buttons); where pulseaudio is missing, the program stays silent.
start_sound_server() {
  command -v pulseaudio >/dev/null || return 0
  export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse-native
  HOME=$XDG_RUNTIME_DIR pulseaudio --daemonize=no --exit-idle-time=-1 -n --disable-shm=yes \
    --load="module-null-sink sink_name=z rate=44100" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse-native" \
    >"$XDG_RUNTIME_DIR/pulse.log" 2>&1 &
  session_sound_server=$!
  for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/pulse-native" ] && return 0; sleep 0.1; done
  echo "the sound server did not start: $(cat "$XDG_RUNTIME_DIR/pulse.log")" >&2
}

# The walk itself; run it with Debian's own Python, which has the accessibility client
# whatever else is first on PATH.
walk_py=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/walk.py
