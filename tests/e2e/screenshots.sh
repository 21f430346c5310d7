#!/usr/bin/env bash
# Photographs "trova il blocco" and "tabella" as they open, and "tabella" finished, in every
# language given, on the X server it runs on (under xvfb-run): each language in a fresh copy of
# the runnable folder, picked in the menu "Lingua" as a child would.
# Usage: screenshots.sh <runnable folder> <output folder> <language>...
set -euo pipefail
rundir=$1
out=$2
shift 2
mkdir -p "$out"

source "$(dirname "$0")/session.sh"
work=$(mktemp -d)
start_session
trap 'stop_session; rm -rf "$work"' EXIT
for language in "$@"; do
  rm -rf "$work/zorvelli"
  cp -r "$rundir" "$work/zorvelli"
  /usr/bin/python3 "$walk_py" "$work/zorvelli/zorvelli" "$out" shots "$language"
done
