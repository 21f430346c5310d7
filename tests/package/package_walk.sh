#!/usr/bin/env bash
# The program as the Debian package installs it: unpacked into a scratch folder (no system
# install), started with a home of its own on a real X server, walked by the names of its
# controls with real clicks:
# splash -> menu -> "uguale - diverso" -> "Esci" (Yes) -> "Lingua" > English -> "EXIT" (Yes).
# Then the language choice must be in the home's configuration folder, and the unpacked tree
# exactly as it was. Saves a screenshot of every step into the output folder.
# Usage: package_walk.sh <folder with the package> <output folder>   (run under xvfb-run)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
debs=("$1"/zorvelli_*.deb)
deb=${debs[0]}
mkdir -p "$2"
out=$(cd "$2" && pwd)
rm -f "$out"/step-*.png

fail() { echo "FAIL: $*"; exit 1; }
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb is missing"; exit 77; }
[ -f "$deb" ] || { echo "SKIP: no package was built"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
program=$scratch/root/usr/games/zorvelli
[ -x "$program" ] || fail "the package has no usr/games/zorvelli"

# Everything about the unpacked tree that a write could change, to compare afterwards.
snapshot() {
  (cd "$scratch/root" && find . -printf '%p %y %m %s %T@\n' | LC_ALL=C sort &&
    find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum)
}
snapshot >"$scratch/before"

# The buses come first: the session bus keeps a file in the home it starts in.
source "$here/../e2e/session.sh"
start_session
trap 'stop_session; rm -rf "$scratch"' EXIT

# A home of its own; the XDG folders are left to their defaults below it.
export HOME=$scratch/home
mkdir -m 700 "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CONFIG_DIRS XDG_DATA_DIRS
# Started from elsewhere, so that nothing is found through the working folder.
cd "$scratch"

# The walk finds every control by name: the menu, the first activity, "Esci", then
# "Lingua" > English and the exit button in English, each answered Yes.
/usr/bin/python3 "$walk_py" "$program" "$out" first English || fail "the walk failed"

# Pictures shown: every block picture has the same light background (250,246,236) around
# the block, which no window paints by itself; two or three pictures cover far more than
# 8 % of the screen with it, none cover nothing.
for step in "$out"/step-01-splash.png "$out"/step-03-uguale-diverso.png; do
  share=$(convert "$step" -fuzz 3% -fill black +opaque 'rgb(250,246,236)' \
    -fill white -opaque 'rgb(250,246,236)' -format '%[fx:mean]' info:)
  awk -v s="$share" 'BEGIN { exit !(s > 0.08) }' || fail "$(basename "$step") shows no pictures ($share of the screen)"
done

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
