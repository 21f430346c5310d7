#!/usr/bin/env bash
# The package as a school installs it: installed system-wide with apt, walked by its own
# autopkgtest (debian/tests/walk) with a home of its own, then walked once more picking
# English in the menu "Lingua", removed and purged. The language choice must land in the
# user's ~/.config/zorvelli/ and stay there, untouched, through remove and purge; the
# installed files must not change while the program runs; after the purge no file of the
# package is left. Needs root and a machine without the package (skips otherwise); the
# machine is left without it whatever happens.
# Usage: install_walk.sh <folder with the package> <source tree> <screenshot folder>
set -euo pipefail
debs=("$1"/zorvelli_*.deb)
deb=$(cd "$(dirname "${debs[0]}")" && pwd)/$(basename "${debs[0]}")
src=$(cd "$2" && pwd)
mkdir -p "$3"
out=$(cd "$3" && pwd)
rm -rf "$out"/*

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }
[ "$(id -u)" -eq 0 ] || skip "installing system-wide needs root"
for tool in apt-get xvfb-run xdotool convert; do
  command -v "$tool" >/dev/null || skip "$tool is missing (scripts/deps installs it)"
done
[ -f "$deb" ] || skip "no package was built"
status() { dpkg-query -W -f='${db:Status-Status}' zorvelli 2>/dev/null || true; }
[ -z "$(status)" ] || [ "$(status)" = not-installed ] ||
  skip "zorvelli is on this machine already ($(status)); the test would take it away"

export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -o DPkg::Lock::Timeout=600 -y -q)
scratch=$(mktemp -d)
trap 'dpkg-query -W zorvelli >/dev/null 2>&1 && dpkg --purge zorvelli >/dev/null; rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM HUP

# Every file below the folders a package can touch, to compare after the purge. dpkg's and
# apt's own records and logs change with every install and are left out.
files() {
  find /etc /opt /usr /var -xdev \( -path /var/lib/dpkg -o -path /var/lib/apt -o -path /var/cache/apt \
    -o -path /var/log -o -path /var/tmp -o -path /var/cache/man \) -prune -o -print | LC_ALL=C sort
}
files >"$scratch/before"

"${apt[@]}" install --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt could not install $deb"; }
[ "$(status)" = installed ] || fail "zorvelli is not installed after apt install"
dpkg -L zorvelli >"$scratch/installed"
[ -x /usr/games/zorvelli ] || fail "no /usr/games/zorvelli"

# A user of its own; the XDG folders left to their defaults below the home.
export HOME=$scratch/home
mkdir -m 700 "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CONFIG_DIRS XDG_DATA_DIRS
cd "$src"
AUTOPKGTEST_TMP=$scratch AUTOPKGTEST_ARTIFACTS=$out/autopkgtest debian/tests/walk ||
  fail "the autopkgtest failed (screenshots in $out/autopkgtest)"
AUTOPKGTEST_TMP=$scratch AUTOPKGTEST_ARTIFACTS=$out/english debian/tests/walk English ||
  fail "the walk picking English failed (screenshots in $out/english)"

# Pictures shown: every block picture has the same light background (250,246,236) around
# the block, which no window paints by itself; two or three pictures cover far more than
# 8 % of the screen with it.
for step in "$out"/autopkgtest/screenshots/step-01-splash.png "$out"/autopkgtest/screenshots/step-03-uguale-diverso.png; do
  share=$(convert "$step" -fuzz 3% -fill black +opaque 'rgb(250,246,236)' \
    -fill white -opaque 'rgb(250,246,236)' -format '%[fx:mean]' info:)
  awk -v s="$share" 'BEGIN { exit !(s > 0.08) }' || fail "$(basename "$step") shows no pictures ($share of the screen)"
done

# The choice went to the user's configuration folder, private to the user; the installed
# files are as the package brought them.
settings=$HOME/.config/zorvelli/LangSetting.ini
[ -f "$settings" ] || fail "no $settings"
grep -q '^CurrentLanguage=English' "$settings" || fail "$settings does not name English: $(cat "$settings")"
[ "$(stat -c %a "$HOME/.config/zorvelli")" = 700 ] || fail "the settings folder is not private to the user"
changed=$(dpkg --verify zorvelli) || fail "dpkg --verify failed"
[ -z "$changed" ] || fail "installed files changed while the program ran: $changed"

# Remove, then purge: the user's settings stay exactly as they were.
mark() { stat -c '%s %Y %a' "$settings" && sha256sum <"$settings"; }
mark >"$scratch/settings"
"${apt[@]}" remove zorvelli >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt could not remove zorvelli"; }
[ ! -e /usr/games/zorvelli ] || fail "/usr/games/zorvelli is still there after remove"
mark | cmp -s - "$scratch/settings" || fail "removing the package changed $settings"
# dpkg, not apt: without configuration files the removed package is gone from apt's view.
dpkg --purge zorvelli >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "dpkg could not purge zorvelli"; }
[ -z "$(status)" ] || [ "$(status)" = not-installed ] || fail "zorvelli is still known to dpkg: $(status)"
mark | cmp -s - "$scratch/settings" || fail "purging the package changed $settings"

# Nothing of the package is left: none of its files, and no new file anywhere that is not
# another package's (apt may install others meanwhile) or the icon cache a trigger remakes.
left=$(while read -r path; do [ -d "$path" ] || [ ! -e "$path" ] || echo "$path"; done <"$scratch/installed")
[ -z "$left" ] || fail "files of the package left after the purge: $left"
files >"$scratch/after"
left=$(comm -13 "$scratch/before" "$scratch/after" | while read -r path; do
  case $path in /usr/share/icons/*/icon-theme.cache | /usr/share/applications/mimeinfo.cache) continue ;; esac
  dpkg-query -S "$path" >/dev/null 2>&1 || echo "$path"
done)
[ -z "$left" ] || fail "new files left after the purge: $left"
echo "install, walk, remove and purge passed: screenshots in $out"
