#!/usr/bin/env bash
# Walks through the real program on a real X server (run under xvfb-run): starts a private
# session bus and accessibility bus, copies the runnable folder so the walk never touches the
# build's settings, and lets walk.py drive the program by the names of its controls.
# Usage: walkthrough.sh <runnable folder> <output folder>
set -euo pipefail
rundir=$1
out=$2
mkdir -p "$out"
rm -f "$out"/step-*.png

source "$(dirname "$0")/session.sh"
work=$(mktemp -d)
start_session
trap 'stop_session; rm -rf "$work"' EXIT
cp -r "$rundir" "$work/zorvelli"
/usr/bin/python3 "$walk_py" "$work/zorvelli/zorvelli" "$out"
