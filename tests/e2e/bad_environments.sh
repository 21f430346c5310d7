#!/usr/bin/env bash
# The real program in damaged surroundings, each walked on a real X server (run under xvfb-run):
# pictures, sounds or language files missing or damaged, the settings file a folder, the
# program's folder read-only for the user running it. Every time the program must neither crash
# nor hang, must still end through "FINE", and must leave LangSetting.ini as it was or as chosen.
# Usage: bad_environments.sh <runnable folder> <output folder>
set -euo pipefail
rundir=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$out"
mkdir -p "$out"

source "$here/session.sh"
unset XDG_CONFIG_HOME XDG_DATA_HOME
work=$(mktemp -d)
chmod 755 "$work"
start_session
cleanup() {
  stop_session
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL [$1]: $2"; failures=$((failures + 1)); }
settings() { if [ -f "$1/LangSetting.ini" ]; then md5sum < "$1/LangSetting.ini"; else echo "not a file"; fi; }

# walk <name> <activities> [language]: a fresh copy of the runnable folder, damaged by the
# function damage_<name>, walked; then the settings file is checked: unchanged, or holding the
# language picked (where it is a file at all).
walk() {
  local name=$1 activities=$2 language=${3:-}
  local copy="$work/$name"
  cp -r "$rundir" "$copy"
  "damage_$name" "$copy"
  local before
  before=$(settings "$copy")
  # A home of its own for every walk: a choice the program's folder cannot take lands there.
  local home="$work/home-$name"
  mkdir -p "$home"
  if ! HOME="$home" timeout 240 /usr/bin/python3 "$walk_py" "$copy/zorvelli" "$out/$name" "$activities" $language \
      >"$out/$name.log" 2>&1; then
    fail "$name" "the walk failed: $(grep -m1 FAIL "$out/$name.log" || tail -n 1 "$out/$name.log")"
    return
  fi
  if [ -z "$language" ]; then
    [ "$(settings "$copy")" = "$before" ] || fail "$name" "LangSetting.ini changed"
  elif [ -f "$copy/LangSetting.ini" ]; then
    grep -q "^CurrentLanguage=$language" "$copy/LangSetting.ini" || fail "$name" "the choice of $language was not kept"
  else
    [ "$(settings "$copy")" = "$before" ] || fail "$name" "the settings folder was replaced"
    grep -q "^CurrentLanguage=$language" "$home/.config/zorvelli/LangSetting.ini" 2>/dev/null ||
      fail "$name" "the choice of $language did not go to the user's configuration folder"
  fi
  echo "ok: $name"
}

damage_jpg_missing() { rm -rf "$1/jpg"; }
damage_jpg_garbage() {
  find "$1/jpg" -type f | while read -r f; do head -c 3000 /dev/urandom >"$f"; done
}
damage_suoni_missing() { rm -rf "$1/suoni"; }
damage_suoni_broken() {
  for f in "$1"/suoni/*.wav; do head -c 60 "$f" >"$f.cut" && mv "$f.cut" "$f"; done
  head -c 5000 /dev/urandom >"$1/suoni/si1.wav"
}
damage_lng_missing() { rm -f "$1"/*.lng; }
damage_settings_folder() { rm -f "$1/LangSetting.ini" && mkdir "$1/LangSetting.ini"; }

walk jpg_missing all
walk jpg_garbage all
walk suoni_missing first
walk suoni_broken first
walk lng_missing none
walk settings_folder none English

# The program's folder read-only for the user who runs it: the choice goes to the user's own
# configuration folder and the program's folder stays as it was. Root ignores permissions, so
# the walk runs as an ordinary user.
user=zorvelli-e2e
if [ "$(id -u)" -eq 0 ]; then
  id "$user" >/dev/null 2>&1 || useradd --no-create-home --shell /usr/sbin/nologin "$user"
  home="$work/home"
  mkdir -p "$home"
  chown "$user" "$home"
  copy="$work/read_only"
  cp -r "$rundir" "$copy"
  chmod -R a-w "$copy"
  chmod a+rx "$copy"
  before=$(find "$copy" -type f -exec md5sum {} + | sort)
  auth="$work/xauth"
  cp "${XAUTHORITY:-$HOME/.Xauthority}" "$auth" 2>/dev/null || touch "$auth"
  chown "$user" "$auth"
  # The checkout may lie where that user cannot read: the walk goes along with the copy.
  cp "$here/walk.py" "$here/session.sh" "$work/"
  # A sanitizer build keeps its options there, suppressions included.
  san_env=()
  for v in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    [ -n "${!v:-}" ] && san_env+=("$v=${!v}")
  done
  supp=$(sed -En 's/^(.*:)?suppressions=([^:]*).*/\2/p' <<<"${LSAN_OPTIONS:-}")
  if [ -n "$supp" ]; then
    install -m 644 "$supp" "$work/lsan.supp"
    san_env=("${san_env[@]/$supp/$work/lsan.supp}")
  fi
  mkdir -p "$work/shots"
  chown "$user" "$work/shots"
  if runuser -u "$user" -- env -i DISPLAY="$DISPLAY" XAUTHORITY="$auth" HOME="$home" PATH="$PATH" "${san_env[@]}" \
      bash -c 'source "$0"; start_session; /usr/bin/python3 "$walk_py" "$1" "$2" first English; r=$?;
               stop_session; exit $r' \
      "$work/session.sh" "$copy/zorvelli" "$work/shots" >"$out/read_only.log" 2>&1; then
    grep -q "^CurrentLanguage=English" "$home/.config/zorvelli/LangSetting.ini" 2>/dev/null ||
      fail read_only "the choice did not go to the user's configuration folder"
    [ "$(find "$copy" -type f -exec md5sum {} + | sort)" = "$before" ] || fail read_only "the program's folder changed"
    cp -r "$work/shots" "$out/read_only"
    echo "ok: read_only"
  else
    cp -r "$work/shots" "$out/read_only"
    fail read_only "the walk failed: $(grep -m1 FAIL "$out/read_only.log" || tail -n 1 "$out/read_only.log")"
  fi
else
  echo "read_only: run as root to walk it as an ordinary user"
fi

[ "$failures" -eq 0 ] || exit 1
echo "all damaged surroundings walked: screenshots in $out"
