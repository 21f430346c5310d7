#!/usr/bin/env bash
# The program as the Debian package installs it: unpacked into a scratch folder (no system
# install), started with a home of its own on a real X server, walked with real clicks:
# splash -> menu -> "uguale - diverso" -> "Esci" (Yes) -> "Lingua" > English -> "FINE" (Yes).
# Then the language choice must be in the home's configuration folder, and the unpacked tree
# exactly as it was. Saves a screenshot of every step into the output folder.
# Usage: package_walk.sh <folder with the package> <output folder>   (run under xvfb-run)
set -euo pipefail
debs=("$1"/zorvelli_*.deb)
deb=${debs[0]}
mkdir -p "$2"
out=$(cd "$2" && pwd)
rm -f "$out"/step-*.png

fail() { echo "FAIL: $*"; exit 1; }
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb is missing"; exit 77; }
[ -f "$deb" ] || { echo "SKIP: no package was built"; exit 77; }

scratch=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
pid=
dpkg-deb -x "$deb" "$scratch/root"
program=$scratch/root/usr/games/zorvelli
[ -x "$program" ] || fail "the package has no usr/games/zorvelli"

# Everything about the unpacked tree that a write could change, to compare afterwards.
snapshot() {
  (cd "$scratch/root" && find . -printf '%p %y %m %s %T@\n' | LC_ALL=C sort &&
    find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum)
}
snapshot >"$scratch/before"

# A home of its own; the XDG folders are left to their defaults below it.
export HOME=$scratch/home
mkdir -m 700 "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CONFIG_DIRS XDG_DATA_DIRS
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
# Started from elsewhere, so that nothing is found through the working folder.
cd "$scratch"

IMPORT=/usr/bin/import
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

# Pictures shown: every block picture has the same light background (250,246,236) around
# the block, which no window paints by itself; two or three pictures cover far more than
# 8 % of the screen with it, none cover nothing.
shows_pictures() {
  local share
  share=$(convert "$out/step-$1.png" -fuzz 3% -fill black +opaque 'rgb(250,246,236)' \
    -fill white -opaque 'rgb(250,246,236)' -format '%[fx:mean]' info:)
  awk -v s="$share" 'BEGIN { exit !(s > 0.08) }' || fail "step $1 shows no pictures ($share of the screen)"
}

"$program" &
pid=$!

splash=$(wait_window) || fail "the splash did not appear"
shot 1-splash
shows_pictures 1-splash

# A click on the window's background opens the menu.
click $((screen_w / 2)) $((screen_h - 40))
menu=$(wait_window "$splash") || fail "the menu did not open"
shot 2-menu

# "uguale - diverso" is the first button, top left.
click $((screen_w * 2160 / 14400)) $((screen_h * 1470 / 8100))
activity=$(wait_window "$menu") || fail "uguale - diverso did not open"
shot 3-uguale-diverso
shows_pictures 3-uguale-diverso

# "Esci" in the menu bar, then Yes.
click 370 14
answer_yes 4-leave-question
menu2=$(wait_window "$activity") || fail "the menu did not come back"
shot 5-menu-again

# "Lingua" is the menu bar's only menu; its entries are the language files, English first.
click 50 14
sleep 0.5
shot 6-language-menu
click 60 45
shot 7-english
# The first button's caption, "uguale - diverso" before, "same - different" after.
caption() { convert "$out/step-$1.png" -crop 440x80+70+190 rgb:-; }
cmp -s <(caption 5-menu-again) <(caption 7-english) && fail "the menu did not change language"

# "FINE", then Yes: the program ends.
click $((screen_w * 12720 / 14400)) $((screen_h * 5790 / 8100))
answer_yes 8-exit-question
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then fail "the program did not end after FINE"; fi
wait "$pid" || fail "the program ended with an error"

# The choice went to the user's configuration folder, and nowhere else.
settings=$HOME/.config/zorvelli/LangSetting.ini
[ -f "$settings" ] || fail "no $settings"
grep -q '^CurrentLanguage=English' "$settings" || fail "$settings does not name English: $(cat "$settings")"
[ "$(stat -c %a "$HOME/.config/zorvelli")" = 700 ] || fail "the settings folder is not private to the user"
written=$(cd "$HOME" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
[ "$written" = "./.config/zorvelli/LangSetting.ini " ] || fail "unexpected files in the home: $written"
snapshot >"$scratch/after"
diff "$scratch/before" "$scratch/after" || fail "the unpacked tree changed"
echo "package walk passed: screenshots in $out"
