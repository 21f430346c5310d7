#!/usr/bin/env bash
# Walks through the real program on a real X server with real mouse clicks:
# splash -> menu -> "uguale - diverso" -> an answer -> "Esci" (Yes) -> "FINE" (Yes).
# Saves a screenshot of every step into the output folder.
# Usage: walkthrough.sh <runnable folder> <output folder>   (run under xvfb-run)
set -euo pipefail
rundir=$1
out=$2
mkdir -p "$out"
rm -f "$out"/step-*.png

export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work" "$XDG_RUNTIME_DIR"' EXIT
# A private copy, so the walk never touches the build's settings.
cp -r "$rundir" "$work/zorvelli"

IMPORT=/usr/bin/import
fail() { echo "FAIL: $*"; exit 1; }

screen_w=$(xdpyinfo 2>/dev/null | awk '/dimensions:/{split($2,a,"x"); print a[1]}')
screen_h=$(xdpyinfo 2>/dev/null | awk '/dimensions:/{split($2,a,"x"); print a[2]}')

# The id of the program's one visible top-level window; waits until it differs from $1.
wait_window() {
  local previous=${1:-none} id=""
  for _ in $(seq 1 100); do
    id=$(timeout 5 xdotool search --onlyvisible --class zorvelli 2>/dev/null | tail -n 1 || true)
    if [ -n "$id" ] && [ "$id" != "$previous" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

covers_screen() {
  local id=$1 geometry
  sleep 0.4
  geometry=$(xdotool getwindowgeometry "$id")
  echo "$geometry" | grep -q "Position: 0,0" || fail "window not at 0,0: $geometry"
  echo "$geometry" | grep -q "Geometry: ${screen_w}x${screen_h}" || fail "window does not cover ${screen_w}x${screen_h}: $geometry"
}

shot() { sleep 0.4; "$IMPORT" -window root "$out/step-$1.png"; }
click() { xdotool mousemove "$1" "$2" click 1; }

# A message box with the title "Zorvelli": wait for it and answer Yes.
answer_yes() {
  local box=""
  for _ in $(seq 1 50); do
    box=$(timeout 5 xdotool search --onlyvisible --name '^Zorvelli$' 2>/dev/null | tail -n 1 || true)
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "no question appeared"
  sleep 0.3
  shot "$1"
  # Yes is the left one of the two buttons in the box's bottom right corner.
  eval "$(xdotool getwindowgeometry --shell "$box")"
  click $((X + WIDTH - 236)) $((Y + HEIGHT - 37))
}

"$work/zorvelli/zorvelli" &
pid=$!

splash=$(wait_window) || fail "the splash did not appear"
covers_screen "$splash"
shot 1-splash

# A click on the window's background opens the menu.
click $((screen_w / 2)) $((screen_h - 40))
menu=$(wait_window "$splash") || fail "the menu did not open"
covers_screen "$menu"
shot 2-menu

# "uguale - diverso" is the first button, top left.
click $((screen_w * 2160 / 14400)) $((screen_h * 1470 / 8100))
activity=$(wait_window "$menu") || fail "uguale - diverso did not open"
covers_screen "$activity"
shot 3-uguale-diverso

# Answer "UGUALE"; whether right or wrong, a face and a count appear.
click $((screen_w * 3060 / 14400)) $((screen_h * 7050 / 8100))
shot 4-answered

# "Esci" in the menu bar, then Yes.
click 370 14
answer_yes 5-leave-question
menu2=$(wait_window "$activity") || fail "the menu did not come back"
covers_screen "$menu2"
shot 6-menu-again

# "FINE", then Yes: the program ends.
click $((screen_w * 12720 / 14400)) $((screen_h * 5790 / 8100))
answer_yes 7-exit-question
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then fail "the program did not end after FINE"; fi
wait "$pid" || fail "the program ended with an error"
echo "walkthrough passed: screenshots in $out"
