#!/usr/bin/env bash
# Walks through the real program on a real X server (run under xvfb-run): starts a private
# session bus and accessibility bus, copies the runnable folder so the walk never touches the
# build's settings, and lets walk.py drive the program by the names of its controls.
# Usage: walkthrough.sh <runnable folder> <output folder>
set -euo pipefail
rundir=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
rm -f "$out"/step-*.png

export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
work=$(mktemp -d)
eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
trap 'kill "$bus" "$DBUS_SESSION_BUS_PID" 2>/dev/null || true; rm -rf "$work" "$XDG_RUNTIME_DIR"' EXIT
cp -r "$rundir" "$work/zorvelli"
# Debian's own Python has the accessibility client, whatever else is first on PATH.
/usr/bin/python3 "$here/walk.py" "$work/zorvelli/zorvelli" "$out"
