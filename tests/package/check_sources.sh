#!/usr/bin/env bash
# What the sources say about the program agrees: the package's version is the program's (the
# about box shows it) and its release date is the catalogue data's. And the sources name no
# web or mail address but the licence's and Debian's format: the program has none of its own
# (the package's required mail address is in the reserved domain .invalid).
# Usage: check_sources.sh <source tree> <program version> <metainfo file>
set -euo pipefail
src=$1
version=$2
metainfo=$3
command -v dpkg-parsechangelog >/dev/null || { echo "SKIP: dpkg-parsechangelog is missing (dpkg-dev)"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

changelog=$src/debian/changelog
[ "$(dpkg-parsechangelog -l "$changelog" -S Version)" = "$version" ] ||
  fail "debian/changelog is at $(dpkg-parsechangelog -l "$changelog" -S Version), the program at $version"
date=$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)
grep -q "<release version=\"$version\" date=\"$date\"" "$metainfo" ||
  fail "the catalogue data has no release $version of $date"

addresses=$(grep -rIhoE --exclude-dir=.git --exclude-dir=build --exclude-dir='build-*' --exclude=COPYING \
  "https?://[^ )\"'>]*|[A-Za-z0-9._-]+@[A-Za-z0-9-]+\.[A-Za-z0-9.-]+" "$src" | LC_ALL=C sort -u)
expected="https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
https://www.gnu.org/licenses/
no-mail-address@zorvelli.invalid"
[ "$addresses" = "$expected" ] || fail "addresses in the sources: $addresses"
echo "version $version of $date; addresses: $(echo $addresses)"
