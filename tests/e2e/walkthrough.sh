#!/usr/bin/env bash
# Walks through the real program on a real X server (run under xvfb-run): starts a private
# session bus and accessibility bus, copies the runnable folder so the walk never touches the
# build's settings, and lets walk.py drive the program by the names of its controls: every
# activity in Italian, then, in a fresh copy and without any locale (as CI runs), "Lingua" >
# Français and one turn of "trova il blocco" and "le strade 1" in French, where no Italian
# name of a value may be left. A sound server of its own lets the program speak: every task
# must be said (and said again by its speaker button) in the language's voice, heard through
# the program's speech log.
# Usage: walkthrough.sh <runnable folder> <output folder>
set -euo pipefail
rundir=$1
out=$2
mkdir -p "$out"
rm -f "$out"/step-*.png
rm -rf "$out/french"

source "$(dirname "$0")/session.sh"
work=$(mktemp -d)
start_session
start_sound_server
trap 'stop_session; rm -rf "$work"' EXIT
cp -r "$rundir" "$work/zorvelli"
ZORVELLI_SPEECH_LOG=$work/spoken.log /usr/bin/python3 "$walk_py" "$work/zorvelli/zorvelli" "$out"
cp -r "$rundir" "$work/french"
ZORVELLI_SPEECH_LOG=$work/spoken-french.log LC_ALL=C LANG=C LANGUAGE= \
  /usr/bin/python3 "$walk_py" "$work/french/zorvelli" "$out/french" play Français
# What the program said, for whoever reads the test's output.
cat "$work/spoken.log" "$work/spoken-french.log" 2>/dev/null || true
grep -qx 'CurrentLanguage=Français' <(tr -d '\r' < "$work/french/LangSetting.ini") ||
  { echo "FAIL: LangSetting.ini does not name Français: $(cat "$work/french/LangSetting.ini")"; exit 1; }
